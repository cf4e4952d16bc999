#pragma once

#include <QString>

// What a duplicate check needs from the window that started it. The defaults suit a check
// without a window: nothing shown and no stop request.
class DuplicateCheckHost {
public:
    virtual ~DuplicateCheckHost();

    // The check is about to walk this many records.
    virtual void Starting(qint64 records) { (void)records; }
    // How far the check has come: the records visited so far and the ZIP key in hand.
    virtual void Visiting(qint64 visited, const QString& zipKey) {
        (void)visited;
        (void)zipKey;
    }
    // Lets the user interface handle what is waiting (a click on Quit); false asks the
    // check to stop. Called every few hundred records, and every few milliseconds while the
    // engine puts the list in order.
    virtual bool KeepGoing() { return true; }
};
