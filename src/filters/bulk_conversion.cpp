#include "filters/bulk_conversion.h"

#include "app/messages.h"
#include "app/value_formats.h"
#include "database/batch_scope.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/list_core.h"
#include "database/open_database.h"
#include "database/statement.h"

#include <memory>

namespace {

constexpr int kSwitchCount = 16;
// Records between two progress reports.
constexpr qint64 kReportEvery = 1000;
// Records per transaction. Every commit waits for the disk (twice, with the journal), so
// the batches are large; a stop or a failure still keeps whole batches and whole records.
constexpr int kBatchRows = 20000;
// Page cache of the conversion's connection (in KiB, as the engine takes it): a batch's
// changed pages stay in memory until its commit.
constexpr int kCacheKiB = 32768;

QString FlagColumn(BulkFlag flag) {
    return flag == BulkFlag::Marked ? QStringLiteral("Marked") : QStringLiteral("Imported");
}

} // namespace

// One bulk change: the column read from each record (none when the change does not depend
// on the record), the UPDATE that rewrites a record (its last parameter is the record's ID,
// its first the value worked out by decide when binds is set), and decide, which says
// whether a record is rewritten and with what value.
struct BulkConversion::Change {
    QString read;
    QString update;
    bool binds = false;
    std::function<bool(const QString& current, QString& value)> decide;
};

BulkConversion::BulkConversion(ListCore& list, BulkProgress progress, int batchRows)
    : m_list(list), m_progress(std::move(progress)),
      m_batchRows(batchRows > 0 ? batchRows : kBatchRows) {}

BulkConversion::~BulkConversion() = default;

QString BulkConversion::SelectedSwitches(const std::array<bool, 16>& ticked) {
    QString selected(kSwitchCount, QLatin1Char('0'));
    for (int i = 0; i < kSwitchCount; ++i)
        if (ticked[size_t(i)])
            selected[i] = QLatin1Char('1');
    return selected;
}

QString BulkConversion::FullSwitches(const QString& stored) {
    return stored.size() >= kSwitchCount ? stored
                                         : stored.leftJustified(kSwitchCount, QLatin1Char('0'));
}

BulkOutcome BulkConversion::WriteCode(const QString& code, BulkFlag cleared) {
    Change change;
    change.update = QStringLiteral("UPDATE [List] SET [Code] = ?, [%1] = 0 WHERE [ID] = ?")
                        .arg(FlagColumn(cleared));
    change.binds = true;
    change.decide = [code](const QString&, QString& value) {
        value = code;
        return true;
    };
    return Apply(change);
}

BulkOutcome BulkConversion::AddSwitches(const QString& selected, BulkFlag cleared) {
    Change change;
    change.read = QStringLiteral("Switches");
    change.update = QStringLiteral("UPDATE [List] SET [Switches] = ?, [%1] = 0 WHERE [ID] = ?")
                        .arg(FlagColumn(cleared));
    change.binds = true;
    change.decide = [selected](const QString& current, QString& value) {
        value = SwitchesOr(FullSwitches(current), selected);
        return true;
    };
    return Apply(change);
}

BulkOutcome BulkConversion::TurnOffSwitches(const QString& selected) {
    const QString keep = SwitchesNot(selected);
    Change change;
    change.read = QStringLiteral("Switches");
    change.update = QStringLiteral("UPDATE [List] SET [Switches] = ? WHERE [ID] = ?");
    change.binds = true;
    change.decide = [keep](const QString& current, QString& value) {
        value = SwitchesAnd(FullSwitches(current), keep);
        // A record whose switches stay as they were is not rewritten.
        return value != current;
    };
    return Apply(change);
}

BulkOutcome BulkConversion::MarkAll() {
    Change change;
    change.update = QStringLiteral("UPDATE [List] SET [Marked] = 1 WHERE [ID] = ?");
    change.decide = [](const QString&, QString&) { return true; };
    return Apply(change);
}

BulkOutcome BulkConversion::MarkMatches(ContextField field, const QString& text, bool invert) {
    Change change;
    change.read = ContextFieldColumn(field);
    change.update = QStringLiteral("UPDATE [List] SET [Marked] = 1 WHERE [ID] = ?");
    change.decide = [text, invert](const QString& current, QString&) {
        return ContextMatches(current, text, invert);
    };
    return Apply(change);
}

bool BulkConversion::Report(qint64 done, qint64 total) const {
    return !m_progress || m_progress(done, total);
}

std::vector<qint64> BulkConversion::SetIds(Connection& db) {
    std::vector<qint64> ids;
    if (!m_list.Filtered()) {
        // The set is the whole list; the order does not matter to a change of each record.
        Statement all = db.Prepare("SELECT [ID] FROM [List]");
        while (all.Step())
            ids.push_back(all.Number(0));
        return ids;
    }
    if (m_list.Records() < 1 || !m_list.FirstRecord())
        return ids;
    ids.reserve(size_t(m_list.Records()));
    do
        ids.push_back(m_list.CurrentBookmark().toLongLong());
    while (m_list.MoveUp());
    return ids;
}

BulkOutcome BulkConversion::Apply(const Change& change) {
    BulkOutcome outcome;
    std::unique_ptr<Connection> db = OpenCurrentDatabase();
    if (!db) {
        outcome.failed = true;
        return outcome;
    }
    try {
        db->Execute(QStringLiteral("PRAGMA cache_size = -%1").arg(kCacheKiB));
        const std::vector<qint64> ids = SetIds(*db);
        const qint64 total = qint64(ids.size());
        if (!Report(0, total)) {
            outcome.stopped = true;
            return outcome;
        }
        std::unique_ptr<Statement> read;
        if (!change.read.isEmpty())
            read = std::make_unique<Statement>(db->Prepare(
                QStringLiteral("SELECT [%1] FROM [List] WHERE [ID] = ?").arg(change.read)));
        Statement update = db->Prepare(change.update);
        BatchScope* active = nullptr;
        BatchScope batch(*db, active, m_batchRows);
        QString current;
        QString value;
        for (qint64 id : ids) {
            if (read) {
                read->Bind(1, id);
                const bool exists = read->Step();
                current = exists ? read->Text(0) : QString();
                read->Reset();
                if (!exists) {
                    // Deleted since the set was collected.
                    ++outcome.visited;
                    continue;
                }
            }
            ++outcome.visited;
            if (change.decide(current, value)) {
                int position = 0;
                if (change.binds)
                    update.Bind(++position, value);
                update.Bind(++position, id);
                update.Run();
                if (db->Changes() > 0) {
                    ++outcome.changed;
                    batch.RowWritten();
                }
            }
            if (outcome.visited % kReportEvery == 0 && outcome.visited < total &&
                !Report(outcome.visited, total)) {
                outcome.stopped = true;
                break;
            }
        }
        // Committed here rather than by the scope's end, so that a failing commit is told.
        batch.Commit();
        if (!outcome.stopped)
            Report(total, total);
    } catch (const EngineError& error) {
        InfoBox(error.Text());
        outcome.failed = true;
    }
    return outcome;
}
