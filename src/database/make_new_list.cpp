#include "database/make_new_list.h"

#include "app/messages.h"
#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_kind.h"
#include "database/file_replace.h"
#include "database/new_database.h"
#include "database/schema.h"
#include "database/statement.h"

#include <QStringList>

namespace {

// Copies the named columns of every row of a table of the current list into the new
// list, in the given order; the new list numbers the rows itself.
void CopyRows(Connection& from, Connection& to, const QString& table, const QStringList& columns,
              const QString& order) {
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << "?";
    const QString list = "\"" + columns.join("\", \"") + "\"";
    Statement insert = to.Prepare(
        QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(table, list, marks.join(", ")));
    Statement rows =
        from.Prepare(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY %3").arg(list, table, order));
    while (rows.Step()) {
        for (int i = 0; i < columns.size(); ++i)
            insert.Bind(i + 1, rows.Value(i));
        insert.Run();
    }
}

const QStringList kLabelColumns = {"LName",      "LRows",    "LCols",    "IndentTop",
                                   "IndentLeft", "RowDelta", "ColDelta", "LTypeSize"};
const QStringList kFilterColumns = {
    "FilterName", "StartName", "EndName",    "StartCity", "EndCity",    "StartState", "EndState",
    "StartZip",   "EndZip",    "StartEMail", "EndEMail",  "StartPhone", "EndPhone",   "StartCode",
    "EndCode",    "StartDate", "EndDate",    "OrSelect",  "AndSelect",  "AndReject",  "OrReject",
    "Marked",     "Imported",  "Sequence",   "Query"};
const QStringList kTemplateColumns = {"TemplateName", "Name",  "Address", "City",
                                      "State",        "Zip",   "EMail",   "Attention",
                                      "Code",         "CarRt", "Switches"};

void FillNewList(Connection& list, Connection* current, const NewListOptions& options) {
    list.Execute("INSERT INTO Control (Identification, DatabaseVersion, CurrentTemplate, "
                 "CurrentFilter, CurrentLabel) VALUES ('Tessavane', 2, 0, 0, 1)");
    // Switch n takes the name of the current list's switch n when names are taken over; a
    // current list short of sixteen names leaves the rest empty.
    Statement names = list.Prepare("INSERT INTO SwitchNames (Name) VALUES (?)");
    for (int n = 1; n <= 16; ++n) {
        QString name;
        if (current && options.switchNames) {
            Statement old = current->Prepare("SELECT Name FROM SwitchNames WHERE ID = ?");
            old.Bind(1, n);
            if (old.Step())
                name = old.Text(0);
        }
        names.Bind(1, name).Run();
    }
    if (!current) {
        list.Execute("INSERT INTO Labels (LName, LRows, LCols, IndentTop, IndentLeft, RowDelta, "
                     "ColDelta, LTypeSize) VALUES ('Avery 5162', 7, 2, 0.8, 0, 1.32, 4.17, 12), "
                     "('Avery 5160', 10, 3, 0.5, 0, 1, 2.8, 10)");
        return;
    }
    CopyRows(*current, list, "Labels", kLabelColumns, "ID");
    if (options.filters)
        CopyRows(*current, list, "Filter", kFilterColumns, "rowid");
    if (options.templates)
        CopyRows(*current, list, "Template", kTemplateColumns, "rowid");
}

} // namespace

bool CurrentListReadable(const QString& path) {
    if (DetectFileKind(path) != FileKind::SQLite)
        return false;
    try {
        auto connection = Connection::Open(path, Connection::Mode::ReadOnly);
        Statement control = connection->Prepare("SELECT Identification FROM Control");
        return control.Step() && control.Text(0) == QLatin1String(kIdentityMark);
    } catch (const EngineError&) {
        return false;
    }
}

bool MakeNewList(const QString& path, bool noCurrent, const NewListOptions& options) {
    if (RefuseCurrentListPath(path))
        return false;
    const bool transfers = options.templates || options.switchNames || options.filters;
    std::unique_ptr<Connection> current;
    if (!noCurrent) {
        try {
            current = Connection::Open(CurrentListSetting(), Connection::Mode::ReadOnly);
        } catch (const EngineError&) {
            noCurrent = true;
        }
    }
    // Without anything to transfer the new list needs nothing from the current one (it
    // then gets the standard label layouts); a transfer from a list that can't be read is
    // refused before anything is made.
    if (noCurrent && transfers) {
        InfoBox("Nothing can be transferred: the current mailing list can't be read.\n" +
                CurrentListSetting());
        return false;
    }
    const QString work = WorkFileBeside(path, "new");
    try {
        WriteEmptyList(work);
        {
            auto list = Connection::Open(work);
            Transaction transaction(*list);
            FillNewList(*list, current.get(), options);
            transaction.Commit();
        }
        if (!ReplaceFile(work, path))
            throw EngineError(JetError::FileLocked, "The new list could not be put at " + path);
        return true;
    } catch (const EngineError&) {
        RemoveWorkFile(work);
        throw;
    }
}
