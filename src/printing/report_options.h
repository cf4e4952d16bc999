#pragma once

class PrinterObject;

// The choices of the record list window that the printed reports follow.
struct ReportOptions {
    // Where the report is printed: the current printer when none is given (a preview
    // gives its own).
    PrinterObject* printer = nullptr;
    // Switch names, marks and import flags printed with each record of the record list.
    bool showSwitches = true;
    // Every page is handed to the printer on its own, and the user is asked before the next.
    bool stopBetweenSheets = false;
};
