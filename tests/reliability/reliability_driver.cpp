// A child process for the crash tests: runs one bulk command of the convert window on a
// list, through the same core code, so that the test can stop it at any point.
//   lettrino-reliability-driver convert LIST BATCH   marks to code "CONVERTED", BATCH
//                                                     records per transaction
//   lettrino-reliability-driver purge LIST           deletes the records of the current
//                                                     filter
//   lettrino-reliability-driver hold LIST [spill]    a second copy in the middle of a
//                                                     change: opens a write transaction,
//                                                     changes the first record (with spill,
//                                                     every record, its pages written into
//                                                     the file before the commit), prints
//                                                     "holding", and commits once a line
//                                                     arrives on standard input
// Messages go to standard error; the exit status is 0 when the command did its work.

#include "app/dialogs.h"
#include "app/settings.h"
#include "database/connection.h"
#include "database/list_core.h"
#include "filters/bulk_conversion.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

int Run(const QStringList& arguments) {
    if (arguments.size() < 2)
        return 2;
    if (arguments[0] == QLatin1String("hold")) {
        auto db = Connection::Open(arguments[1]);
        const bool spill = arguments.size() > 2;
        if (spill)
            db->Execute("PRAGMA cache_size = 10");
        Transaction transaction(*db);
        db->Execute(spill ? "UPDATE List SET Code = 'HELD'"
                          : "UPDATE List SET Code = 'HELD' WHERE ID = (SELECT min(ID) FROM List)");
        std::printf("holding\n");
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
        transaction.Commit();
        return 0;
    }
    SaveCurrentListSetting(arguments[1]);
    ListCore list;
    if (arguments[0] == QLatin1String("convert") && arguments.size() == 3) {
        list.SetMarkedRecordset();
        BulkConversion conversion(list, {}, arguments[2].toInt());
        const BulkOutcome outcome =
            conversion.WriteCode(QStringLiteral("CONVERTED"), BulkFlag::Marked);
        return outcome.failed ? 1 : 0;
    }
    if (arguments[0] == QLatin1String("purge")) {
        list.SetCurrentFilter();
        list.DeleteRecordset();
        list.SetCurrentFilter();
        return list.Records() == 0 ? 0 : 1;
    }
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ConsoleDialogs dialogs;
    Dialogs::Install(&dialogs);
    const int status = Run(QCoreApplication::arguments().mid(1));
    Dialogs::Install(nullptr);
    return status;
}
