#include "database/list_core.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/encoded_record.h"
#include "database/engine_error.h"
#include "database/filter_core.h"
#include "database/keyset_cursor.h"
#include "database/list_record.h"
#include "database/statement.h"
#include "database/statement_cache.h"
#include "database/stored_date.h"
#include "database/table_cursor.h"

#include <QDate>
#include <algorithm>
#include <sqlite3.h>

namespace {
// Set once a corrupt filter has been told in this process.
bool g_filterRefused = false;
// The filter chosen for the next SetCurrentFilter; -1 for none.
qint64 g_chosenFilter = -1;

const QString kNameIndex = QStringLiteral("Name");

// The column of each sort code; any other code sorts by name.
QString SortColumn(int sequence) {
    static const char* const columns[] = {"Name",  "City", "State", "Zip",     "EMail",
                                          "Phone", "Code", "CarRt", "LastEdit"};
    return sequence >= 0 && sequence <= 8 ? QString::fromLatin1(columns[sequence])
                                          : QStringLiteral("Name");
}

std::vector<std::pair<QString, QVariant>> Columns(const ListRecord& r, const QString& switches) {
    return {{QStringLiteral("Name"), r.Name},
            {QStringLiteral("Address"), r.Address},
            {QStringLiteral("City"), r.City},
            {QStringLiteral("State"), r.State},
            {QStringLiteral("Zip"), r.Zip},
            {QStringLiteral("EMail"), r.EMail},
            {QStringLiteral("Phone"), r.Phone},
            {QStringLiteral("Attention"), r.Attention},
            {QStringLiteral("Code"), r.Code},
            {QStringLiteral("CarRt"), r.CarRt},
            {QStringLiteral("LastEdit"), StoredDate(r.LastEdit)},
            {QStringLiteral("Switches"), switches},
            {QStringLiteral("Notes"), r.Notes},
            {QStringLiteral("Marked"), r.Marked},
            {QStringLiteral("Imported"), r.Imported}};
}

} // namespace

ListCore::ListCore()
    : RecordStore(OpenOrStop(4, "Couldn't open the database in ListCore"), "List"),
      m_table(std::make_unique<TableCursor>(Statements(), Watch(), Table(), kNameIndex)) {
    GuardMove([&] {
        if (m_table->MoveFirst())
            SetBookmark(m_table->Current());
        return true;
    });
}

ListCore::~ListCore() = default;

void ListCore::ReportNoRecords() const {
    InfoBox("There are no List records.");
}

void ListCore::ReportNoCurrentRecord() const {
    InfoBox("No current List record");
}

RecordCursor& ListCore::Set() const {
    if (m_query)
        return *m_query;
    return *m_table;
}

bool ListCore::SetIsEmpty() {
    return m_query ? m_query->Count() == 0 : m_table->IsEmpty();
}

bool ListCore::RowExists(qint64 id) {
    CachedStatement statement = Statements().Use("SELECT 1 FROM \"List\" WHERE ID = ?");
    statement->Bind(1, id);
    return statement->Step();
}

qint64 ListCore::Records() {
    try {
        return Set().Count();
    } catch (const EngineError& error) {
        ShowEngineError(error);
        return 0;
    }
}

qint64 ListCore::MarkedRecordCount() {
    try {
        return Db().QueryNumber("SELECT Count(*) AS Total FROM [List] WHERE [Marked] = 1;");
    } catch (const EngineError& error) {
        ShowEngineError(error);
        return 0;
    }
}

void ListCore::SetIndex(const QString& name) {
    if (m_query)
        return;
    QString column;
    if (name.compare(kNameIndex, Qt::CaseInsensitive) == 0)
        column = kNameIndex;
    else if (name.compare("ID", Qt::CaseInsensitive) != 0)
        return;
    GuardMove([&] {
        m_table->SetKeyColumn(column);
        if (HasCurrent() && !m_table->MoveTo(BookmarkId()))
            ClearBookmark();
        return true;
    });
}

qint64 ListCore::ID() const {
    return ReadNumber("ID");
}

void ListCore::SetID(qint64 id) {
    GuardMove([&] {
        if (SetIsEmpty()) {
            ClearBookmark();
            ReportNoRecords();
            return false;
        }
        if (RowExists(id) && Set().MoveTo(id)) {
            SetBookmark(id);
            return true;
        }
        InfoBox("Invalid ID sent to ListCore");
        SyncCursor(Set());
        return false;
    });
}

int ListCore::Marked() const {
    return int(ReadNumber("Marked"));
}
void ListCore::SetMarked(int value) {
    WriteColumn("Marked", value);
}
int ListCore::Imported() const {
    return int(ReadNumber("Imported"));
}
void ListCore::SetImported(int value) {
    WriteColumn("Imported", value);
}
QString ListCore::Code() const {
    return ReadText("Code");
}
void ListCore::SetCode(const QString& value) {
    WriteColumn("Code", value);
}
QString ListCore::CarRt() const {
    return ReadText("CarRt");
}
void ListCore::SetCarRt(const QString& value) {
    WriteColumn("CarRt", value);
}
QString ListCore::Switches() const {
    return ReadText("Switches");
}
void ListCore::SetSwitches(const QString& value) {
    WriteColumn("Switches", value);
}
QString ListCore::DPOverride() const {
    return ReadText("DPOverride");
}
void ListCore::SetDPOverride(const QString& value) {
    WriteColumn("DPOverride", value);
}
QString ListCore::Name() const {
    return ReadText("Name");
}
QString ListCore::Address() const {
    return ReadText("Address");
}
QString ListCore::City() const {
    return ReadText("City");
}
QString ListCore::State() const {
    return ReadText("State");
}
QString ListCore::Zip() const {
    return ReadText("Zip");
}
QString ListCore::EMail() const {
    return ReadText("EMail");
}
QString ListCore::Phone() const {
    return ReadText("Phone");
}
QString ListCore::Attention() const {
    return ReadText("Attention");
}
void ListCore::SetAttention(const QString& value) {
    WriteColumn("Attention", value);
}
QDate ListCore::LastEdit() const {
    return ReadDate("LastEdit");
}
QString ListCore::Notes() const {
    return ReadText("Notes");
}

bool ListCore::FirstRecord() {
    return StepFirst(Set());
}
bool ListCore::LastRecord() {
    return StepLast(Set());
}
bool ListCore::MoveUp() {
    return StepNext(Set());
}
bool ListCore::MoveDown() {
    return StepPrevious(Set());
}

bool ListCore::Search(const QString& column, const QVariant& value, bool exact) {
    return GuardMove([&] {
        if (SetIsEmpty()) {
            ReportNoRecords();
            return false;
        }
        if (m_query)
            return SearchQueryMode(column, value, exact);
        // In table mode only the name has an index to seek on.
        if (column != kNameIndex)
            return false;
        if (m_table->Seek(kNameIndex, value, exact)) {
            SetBookmark(m_table->Current());
            return true;
        }
        SyncCursor(*m_table);
        return false;
    });
}

bool ListCore::SearchQueryMode(const QString& column, const QVariant& value, bool exact) {
    if (m_query->FindFirst(column, value, exact)) {
        SetBookmark(m_query->Current());
        return true;
    }
    SyncCursor(*m_query);
    return false;
}

bool ListCore::MoveToName(const QString& value, bool exact) {
    return Search("Name", value, exact);
}
bool ListCore::MoveToCity(const QString& value, bool exact) {
    return Search("City", value, exact);
}
bool ListCore::MoveToState(const QString& value, bool exact) {
    return Search("State", value, exact);
}
bool ListCore::MoveToZip(const QString& value, bool exact) {
    return Search("Zip", value, exact);
}
bool ListCore::MoveToEMail(const QString& value, bool exact) {
    return Search("EMail", value, exact);
}
bool ListCore::MoveToPhone(const QString& value, bool exact) {
    return Search("Phone", value, exact);
}
bool ListCore::MoveToCode(const QString& value, bool exact) {
    return Search("Code", value, exact);
}
bool ListCore::MoveToCarRt(const QString& value, bool exact) {
    return Search("CarRt", value, exact);
}
bool ListCore::MoveToEditDate(const QDate& date, bool exact) {
    return Search("LastEdit", StoredDate(date), exact);
}

bool ListCore::AppendRecord(const ListRecord& record) {
    return AppendRecord(EncodedRecord(record));
}

bool ListCore::AppendRecord(const EncodedRecord& record) {
    static const QString sql = [] {
        QStringList names;
        for (const char* name : EncodedRecord::kTextColumnNames)
            names << QStringLiteral("\"%1\"").arg(QLatin1String(name));
        names << QStringLiteral("\"Marked\"") << QStringLiteral("\"Imported\"");
        return QStringLiteral("INSERT INTO \"List\" (%1) VALUES (?%2)")
            .arg(names.join(QStringLiteral(", ")),
                 QStringLiteral(", ?").repeated(names.size() - 1));
    }();
    try {
        CachedStatement insert = Statements().Use(sql);
        int position = 0;
        for (int column = 0; column < EncodedRecord::kTextColumns; ++column)
            insert->BindUtf8(++position, record.Text(column));
        insert->Bind(++position, record.Marked());
        insert->Bind(++position, record.Imported());
        insert->Run();
        RowWritten();
        return true;
    } catch (const EngineError& error) {
        // Only the record's own values are refused here; a failure of the file (full disk,
        // I/O error, a lock) has ended the batch in hand, and the work adding records must
        // stop rather than go on without it.
        if ((error.EngineCode() & 0xff) != SQLITE_CONSTRAINT)
            throw;
        ShowEngineError(error);
        return false;
    }
}

bool ListCore::NewRecord(const ListRecord& record) {
    try {
        const qint64 id = InsertRow(Columns(record, SwitchesToStore(record)));
        if (!m_query) {
            m_table->MoveTo(id);
            SetBookmark(id);
            return true;
        }
        // The query runs again, and the store stands on the first record of the set with
        // the new record's sort value (not necessarily the new record).
        const QString column = SortColumn(m_sortSequence);
        QVariant sortValue;
        {
            CachedStatement read = Statements().Use(
                QStringLiteral("SELECT \"%1\" FROM \"List\" WHERE ID = ?").arg(column));
            read->Bind(1, id);
            if (read->Step())
                sortValue = read->Value(0);
        }
        m_query->Requery();
        const std::vector<qint64>& ids = m_query->Ids();
        if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
            if (!m_query->FindFirst(column, sortValue, true))
                m_query->MoveTo(id);
            SetBookmark(m_query->Current());
            return true;
        }
        // Stored, but the set does not select it: it stays current, read by its ID, until
        // the store moves, and the moves go on through the set, which it does not join.
        SetBookmark(id);
        m_outsideId = id;
        return true;
    } catch (const EngineError& error) {
        ShowEngineError(error);
        ClearBookmark();
        return false;
    }
}

bool CorruptFilterTold() {
    return g_filterRefused;
}

bool ListCore::CurrentOutsideSet() const {
    return m_outsideId != 0 && HasCurrent() && BookmarkId() == m_outsideId;
}

bool ListCore::UpdateRecord(const ListRecord& record) {
    if (!HasCurrent()) {
        ReportNoCurrentRecord();
        return false;
    }
    try {
        if (!UpdateRow(BookmarkId(), Columns(record, record.Switches))) {
            ReportNoCurrentRecord();
            return false;
        }
        return true;
    } catch (const EngineError& error) {
        ShowEngineError(error);
        return false;
    }
}

bool ListCore::DeleteRecord() {
    return DeleteCurrentAndMove(Set());
}

void ListCore::DeleteRecordset() {
    try {
        if (!m_query) {
            Db().Execute("DELETE FROM \"List\"");
        } else {
            const std::vector<qint64> ids = m_query->Ids();
            {
                std::unique_ptr<BatchScope> batch = BeginBatch();
                for (auto it = ids.rbegin(); it != ids.rend(); ++it)
                    DeleteRow(*it);
            }
            m_query->Clear();
        }
    } catch (const EngineError& error) {
        ShowEngineError(error);
        // Whole batches may have gone: the set shows what is left.
        if (m_query) {
            try {
                m_query->Requery();
            } catch (const EngineError&) {
                m_query->Clear();
            }
        }
    }
    ClearBookmark();
}

void ListCore::ResetMarks(bool all) {
    ResetFlag("Marked", all);
}

void ListCore::ResetImportFlags(bool all) {
    ResetFlag("Imported", all);
}

void ListCore::ResetFlag(const QString& column, bool all) {
    // Only the rows that have the flag are rewritten.
    const QString wholeList =
        QStringLiteral("UPDATE [List] SET [%1] = 0 WHERE [%1] <> 0;").arg(column);
    try {
        if (all) {
            Db().Execute(wholeList);
            return;
        }
        if (SetIsEmpty()) {
            InfoBox("No records are available with this filter.");
            return;
        }
        if (!m_query) {
            // The set is the whole list.
            Db().Execute(wholeList);
            return;
        }
        std::unique_ptr<BatchScope> batch = BeginBatch();
        for (qint64 id : m_query->Ids())
            UpdateRow(id, {{column, 0}});
    } catch (const EngineError& error) {
        ShowEngineError(error);
    }
}

void ListCore::OpenQuery(const QString& sql) {
    auto query = std::make_unique<KeysetCursor>(Statements(), Watch(), Table(), sql);
    m_query = std::move(query);
    if (m_query->Count() == 0)
        ClearBookmark();
}

void ListCore::SetZipNameSort() {
    try {
        OpenQuery("SELECT * FROM [List] ORDER BY [Zip], [Name];");
    } catch (const EngineError& error) {
        ShowEngineError(error);
    }
}

void ListCore::SetMarkedRecordset() {
    try {
        // "+" keeps the engine from walking the Name index and looking up every row of the
        // list for its flag; a scan that sorts only the flagged rows is many times faster.
        // The column's case-blind order is kept.
        OpenQuery("SELECT * FROM [List] WHERE [Marked] = 1 ORDER BY +[Name], [ID];");
    } catch (const EngineError& error) {
        ShowEngineError(error);
    }
}

void ListCore::SetImportedFlagRecordset() {
    try {
        // Scanned and sorted, as the marked records are.
        OpenQuery("SELECT * FROM [List] WHERE [Imported] = 1 ORDER BY +[Name], [ID];");
    } catch (const EngineError& error) {
        ShowEngineError(error);
    }
}

void ListCore::OpenTableByName() {
    m_query.reset();
    m_table->SetKeyColumn(kNameIndex);
    m_sortSequence = 0;
}

const std::vector<qint64>* ListCore::QueryIds() const {
    return m_query ? &m_query->Ids() : nullptr;
}

void ChooseFilterOnceItRuns(qint64 filterId) {
    g_chosenFilter = filterId;
}

void ListCore::SetCurrentFilter() {
    ControlCore control;
    const bool chosen = g_chosenFilter >= 0;
    const qint64 filterId = chosen ? g_chosenFilter : control.CurrentFilter();
    g_chosenFilter = -1;
    if (filterId == 0) {
        if (chosen)
            control.SetCurrentFilter(0);
        OpenTableByName();
    } else if (ApplyFilter(filterId)) {
        if (chosen)
            control.SetCurrentFilter(filterId);
    } else {
        // A chosen filter never became current; the current one stops being it.
        if (!chosen)
            control.SetCurrentFilter(0);
        g_filterRefused = true;
        // Browsing goes on through the whole list; work on the filter's records (printing,
        // exporting, changing, purging) finds none rather than every record of the list.
        if (m_browsing) {
            OpenTableByName();
        } else {
            OpenQuery(QStringLiteral("SELECT [ID] FROM [List] WHERE 0"));
            m_sortSequence = 0;
        }
    }
    GuardMove([&] {
        if (Set().MoveFirst())
            SetBookmark(Set().Current());
        else
            ClearBookmark();
        return true;
    });
}

bool ListCore::ApplyFilter(qint64 filterId) {
    FilterCore filters;
    filters.SetID(filterId);
    // A filter that no longer exists has been reported by the filter store.
    if (filters.CurrentBookmark() != QString::number(filterId))
        return false;
    const QString name = filters.FilterName();
    try {
        OpenQuery(filters.Query());
        m_sortSequence = filters.Sequence();
        return true;
    } catch (const EngineError&) {
        Dialogs::Current().ShowMessage(
            "\"" + name +
                "\" filter is corrupt. Recommend you delete and re-establish this filter.",
            ApplicationTitle(), MessageIcon::Critical);
        return false;
    }
}
