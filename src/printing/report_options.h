#pragma once

// The choices of the record list window that the printed reports follow.
struct ReportOptions {
    // Switch names, marks and import flags printed with each record of the record list.
    bool showSwitches = true;
    // Every page is handed to the printer on its own, and the user is asked before the next.
    bool stopBetweenSheets = false;
};
