#include "filters/duplicate_check.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "database/batch_scope.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/list_core.h"
#include "database/open_database.h"
#include "database/statement.h"
#include "filters/duplicate_check_host.h"

#include <memory>
#include <sqlite3.h>

namespace {

// Records between two looks at the host.
constexpr qint64 kYieldEvery = 256;
// Engine instructions between two looks at the host while the engine sorts the list
// (a few milliseconds).
constexpr int kEngineSteps = 20000;

// A record in hand: its name and address, and its keys.
struct Keys {
    qint64 id = 0;
    QString name;
    QString address;
    QString zipKey;
    QString nameKey;
    QString addressKey;
    bool marked = false;
};

Keys ReadKeys(const Statement& row) {
    Keys keys;
    keys.id = row.Number(0);
    keys.zipKey = DuplicateCheck::ZipKey(row.Text(1));
    keys.name = row.Text(2);
    keys.address = row.Text(3);
    keys.nameKey = DuplicateCheck::FirstWord(keys.name);
    keys.addressKey = DuplicateCheck::FirstWord(keys.address);
    return keys;
}

// Lets the host be asked while the engine works, and stops asking when it goes.
class EngineProgressScope {
public:
    EngineProgressScope(Connection& db, int (*handler)(void*), void* context) : m_db(db) {
        sqlite3_progress_handler(m_db.Handle(), kEngineSteps, handler, context);
    }
    ~EngineProgressScope() { End(); }
    void End() { sqlite3_progress_handler(m_db.Handle(), 0, nullptr, nullptr); }

private:
    Connection& m_db;
};

} // namespace

DuplicateCheck::DuplicateCheck(ListCore& list, DuplicateCheckHost& host, int batchRows)
    : m_list(list), m_host(host),
      m_batchRows(batchRows > 0 ? batchRows : BatchScope::kDefaultRows) {}

QString DuplicateCheck::ZipKey(const QString& zip) {
    return zip.left(5);
}

QString DuplicateCheck::FirstWord(const QString& text) {
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0 || blank == text.size() - 1)
        return text;
    return text.left(blank);
}

bool DuplicateCheck::ContainsKey(const QString& field, const QString& key) {
    if (field.isEmpty())
        return false;
    return key.isEmpty() || field.contains(key, Qt::CaseSensitive);
}

DuplicateCheck::Result DuplicateCheck::Run(bool leaveFirstUnmarked) {
    Result result;
    m_stopRequested = false;
    const qint64 records = m_list.Records();
    if (records < 1)
        return result;
    const qint64 marked = m_list.MarkedRecordCount();
    if (marked > 0) {
        Ding();
        if (!Dialogs::Current().AskYesNo(
                QString::number(marked) +
                    QStringLiteral(" marked flags are turned on. Turn them off?"),
                ApplicationTitle(), MessageIcon::Question)) {
            result.outcome = Outcome::Declined;
            return result;
        }
        m_list.ResetMarks(false);
    }
    std::unique_ptr<Connection> db = OpenCurrentDatabase();
    if (!db) {
        result.outcome = Outcome::Failed;
        return result;
    }
    m_host.Starting(records);
    try {
        return Pass(*db, leaveFirstUnmarked);
    } catch (const EngineError& error) {
        if (m_stopRequested && error.EngineCode() == SQLITE_INTERRUPT) {
            // Stopped while the engine was putting the list in order: nothing was marked.
            result.outcome = Outcome::Stopped;
            return result;
        }
        InfoBox(error.Text());
        result.outcome = Outcome::Failed;
        return result;
    }
}

int DuplicateCheck::EngineProgress(void* context) {
    auto* check = static_cast<DuplicateCheck*>(context);
    if (!check->m_host.KeepGoing())
        check->m_stopRequested = true;
    // Non-zero interrupts the statement.
    return check->m_stopRequested ? 1 : 0;
}

DuplicateCheck::Result DuplicateCheck::Pass(Connection& db, bool leaveFirstUnmarked) {
    Result result;
    // ID breaks ties, so that records equal in ZIP and name always come in the same order.
    Statement rows = db.Prepare(
        "SELECT [ID], [Zip], [Name], [Address] FROM [List] ORDER BY [Zip], [Name], [ID]");
    Statement mark = db.Prepare("UPDATE [List] SET [Marked] = 1 WHERE [ID] = ?");
    // The marks are written through a batch opened at the first one, so that a check that
    // finds nothing never locks the list.
    BatchScope* active = nullptr;
    std::unique_ptr<BatchScope> batch;
    auto setMark = [&](qint64 id) {
        if (!batch)
            batch = std::make_unique<BatchScope>(db, active, m_batchRows);
        mark.Bind(1, id);
        mark.Run();
        batch->RowWritten();
    };

    EngineProgressScope engineProgress(db, &DuplicateCheck::EngineProgress, this);
    // The engine sorts the whole list before it gives the first row; the host is asked
    // meanwhile. The rows after it come out of the sorted set at once.
    if (!rows.Step())
        return result;
    engineProgress.End();

    Keys previous = ReadKeys(rows);
    result.visited = 1;
    m_host.Visiting(result.visited, previous.zipKey);
    while (true) {
        if (result.visited % kYieldEvery == 0) {
            m_host.Visiting(result.visited, previous.zipKey);
            if (!m_host.KeepGoing()) {
                result.outcome = Outcome::Stopped;
                break;
            }
        }
        if (!rows.Step())
            break;
        ++result.visited;
        Keys current = ReadKeys(rows);
        const bool duplicate = current.zipKey == previous.zipKey &&
                               ContainsKey(current.name, previous.nameKey) &&
                               ContainsKey(current.address, previous.addressKey);
        if (duplicate) {
            if (!leaveFirstUnmarked && !previous.marked)
                setMark(previous.id);
            setMark(current.id);
            current.marked = true;
            ++result.found;
        }
        previous = std::move(current);
    }
    rows.Reset();
    if (batch)
        batch->Commit();
    m_host.Visiting(result.visited, previous.zipKey);
    return result;
}
