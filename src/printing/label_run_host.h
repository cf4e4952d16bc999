#pragma once

#include <QString>

// The answer to "Continue Printing?" after a sheet.
enum ContinueDecision {
    kCancelPrinting = 0,
    kNextPage = 1,
    kPrintAll = 2,
};

// What a label run needs from the window that started it. The defaults suit a run without
// a window: nothing to show, no stop request, and every sheet printed without asking.
class LabelRunHost {
public:
    virtual ~LabelRunHost();

    // Shows or hides the "Stop Printing" button.
    virtual void ShowStopButton(bool visible) { (void)visible; }
    // The stop request that "Stop Printing" sets: cleared as a run starts, read at the end
    // of every sheet.
    virtual void ClearStopRequest() {}
    virtual bool StopRequested() const { return false; }
    // The user chose to print all remaining sheets: the "Stop Between Sheets" choice is off.
    virtual void ClearStopBetweenSheets() {}
    // The busy mouse pointer on or off.
    virtual void SetBusy(bool busy) { (void)busy; }
    // Lets the user interface handle what is waiting, such as a click on "Stop Printing".
    virtual void Yield() {}
    // Asks whether to go on after a sheet that has been handed to the printer.
    virtual ContinueDecision AskContinue() { return kPrintAll; }
    // The run is over: whatever was made for it (the question window) may go.
    virtual void RunFinished() {}
    // Tells the user, once the run is over, what it had to do to the output (labels cut to
    // fit). By default in an information box.
    virtual void Notify(const QString& text);
};
