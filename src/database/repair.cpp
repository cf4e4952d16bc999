#include "database/repair.h"

#include "app/clock.h"
#include "app/messages.h"
#include "database/connection.h"
#include "database/damage_notes.h"
#include "database/engine_error.h"
#include "database/file_identity.h"
#include "database/file_replace.h"
#include "database/schema.h"
#include "database/statement.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <memory>

namespace {

// Puts a value that the damage has bent out of shape back inside the column's rules, so
// that a readable row is never dropped for it.
QVariant Conform(const ColumnDef& column, const QVariant& value) {
    if (value.isNull())
        return value;
    switch (column.type) {
    case ColumnType::Text: {
        QString text = value.toString().left(column.size);
        if (text.isEmpty() && !column.allowZeroLength)
            text = QString(column.size, QLatin1Char('0'));
        return text;
    }
    case ColumnType::Byte:
        return qBound(qint64(0), value.toLongLong(), qint64(255));
    default:
        return value;
    }
}

bool IsDamage(const EngineError& error) {
    return error.IsDamagedFile() || (error.EngineCode() & 0xff) == 10; // I/O errors
}

// Copies the readable rows of one table from the damaged file to the fresh one, in
// row-number order, stepping over the row numbers that a damaged page holds and looking
// up the rows around the damage one by one. Columns are matched by name.
class TableSalvage {
public:
    TableSalvage(Connection& from, Connection& to, const TableDef& table)
        : m_from(from), m_to(to), m_table(QLatin1String(table.name)),
          m_limit(m_table == QLatin1String("Control") ? 1 : -1) {
        try {
            Statement info = m_from.Prepare("PRAGMA table_info(\"" + m_table + "\")");
            QStringList present;
            while (info.Step())
                present << info.Text(1);
            for (const ColumnDef& column : table.columns) {
                if (present.contains(QLatin1String(column.name), Qt::CaseInsensitive)) {
                    m_columns << QStringLiteral("\"%1\"").arg(QLatin1String(column.name));
                    m_defs.push_back(&column);
                }
            }
        } catch (const EngineError&) {
            m_columns.clear(); // the table's description is unreadable: nothing to copy
        }
    }

    void Run() {
        if (m_columns.isEmpty())
            return;
        QStringList marks;
        for (int i = 0; i < m_columns.size(); ++i)
            marks << "?";
        m_insert = std::make_unique<Statement>(
            m_to.Prepare(QStringLiteral("INSERT OR IGNORE INTO \"%1\" (%2) VALUES (%3)")
                             .arg(m_table, m_columns.join(", "), marks.join(", "))));
        qint64 last = 0;
        while (true) {
            try {
                Statement rows = m_from.Prepare(Select("rowid > ? ORDER BY rowid"));
                rows.Bind(1, last);
                bool damaged = false;
                while (rows.Step()) {
                    // Row numbers only ever rise; anything else is read from a ruined page.
                    if (rows.Number(0) <= last) {
                        damaged = true;
                        break;
                    }
                    last = rows.Number(0);
                    if (!Copy(rows))
                        return;
                }
                if (!damaged)
                    return; // the end of the table
            } catch (const EngineError& error) {
                if (!IsDamage(error))
                    throw;
            }
            if (!StepOverDamage(last))
                return;
        }
    }

private:
    // The most row numbers looked up one by one past one stretch of damage.
    static constexpr qint64 kMaxRowsLookedUp = qint64(1) << 24;

    QString Select(const QString& where) const {
        return QStringLiteral("SELECT rowid, %1 FROM \"%2\" WHERE %3")
            .arg(m_columns.join(", "), m_table, where);
    }

    // Finds a row number past the damage from which the table reads again, doubling the
    // step each time; the rows skipped over are looked up one by one. When no probe reads
    // on (the damage reaches the end of the table, or every probe fails), the rows up to the
    // highest number the table has given are looked up one by one: a row a scan can't
    // reach may still be found by its number. False at the end.
    bool StepOverDamage(qint64& last) {
        for (qint64 skip = 1; skip <= kMaxRowsLookedUp; skip *= 2) {
            const qint64 probe = last + skip;
            bool atEnd = false;
            try {
                Statement next = m_from.Prepare("SELECT rowid FROM \"" + m_table +
                                                "\" WHERE rowid > ? ORDER BY rowid LIMIT 1");
                next.Bind(1, probe);
                atEnd = !next.Step();
            } catch (const EngineError& error) {
                if (!IsDamage(error))
                    throw;
                continue;
            }
            if (atEnd)
                break;
            const bool more = LookUpEach(last + 1, probe);
            last = probe;
            return more;
        }
        LookUpEach(last + 1, qMin(HighestRowNumber(last), last + kMaxRowsLookedUp));
        return false;
    }

    // The highest row number the table has given (kept by the engine for a numbering that
    // never reuses numbers), at least after.
    qint64 HighestRowNumber(qint64 after) {
        try {
            Statement sequence = m_from.Prepare("SELECT seq FROM sqlite_sequence WHERE name = ?");
            sequence.Bind(1, m_table);
            if (sequence.Step())
                return qMax(after, sequence.Number(0));
        } catch (const EngineError& error) {
            if (!IsDamage(error))
                throw;
        }
        return after + kMaxRowsLookedUp / 64;
    }

    bool LookUpEach(qint64 first, qint64 lastId) {
        Statement one = m_from.Prepare(Select("rowid = ?"));
        for (qint64 id = first; id <= lastId; ++id) {
            try {
                one.Bind(1, id);
                if (one.Step() && one.Number(0) == id) {
                    const bool more = Copy(one);
                    one.Reset();
                    if (!more)
                        return false;
                }
                one.Reset();
            } catch (const EngineError& error) {
                if (!IsDamage(error))
                    throw;
            }
        }
        return true;
    }

    // Copies one row; false once the table's limit is reached. A row that the fresh file
    // refuses even after Conform (a second copy of a row number) is left out.
    bool Copy(const Statement& row) {
        for (size_t i = 0; i < m_defs.size(); ++i)
            m_insert->Bind(int(i) + 1, Conform(*m_defs[i], row.Value(int(i) + 1)));
        m_insert->Run();
        ++m_copied;
        return m_limit < 0 || m_copied < m_limit;
    }

    Connection& m_from;
    Connection& m_to;
    QString m_table;
    int m_limit;
    QStringList m_columns;
    std::vector<const ColumnDef*> m_defs;
    std::unique_ptr<Statement> m_insert;
    int m_copied = 0;
};

// The damaged file holds a list when its control row can be read and carries the mark.
bool HasReadableControlRow(Connection& damaged) {
    try {
        Statement control = damaged.Prepare("SELECT Identification FROM Control LIMIT 1");
        return control.Step() && control.Text(0) == QLatin1String(kIdentityMark);
    } catch (const EngineError&) {
        return false;
    }
}

} // namespace

bool RepairDamagedList(const QString& path) {
    InfoBox(QStringLiteral("The database may be corrupt. Click OK to attempt recovery"));
    QString kept;
    const bool repaired = RepairListFile(path, &kept);
    // What the salvage met on its way is the damage being mended.
    ForgetDamage();
    if (!repaired) {
        InfoBox(QStringLiteral("The database is corrupt. Can't repair. Bring forward your "
                               "backup."));
        return false;
    }
    InfoBox("The list was repaired. The damaged original was kept as " +
            QDir::toNativeSeparators(kept) + ".");
    return true;
}

bool RepairListFile(const QString& listPath, QString* keptAs) {
    // Through a symbolic link the link's target is repaired; the link stays.
    const QString path = FileBehindLink(listPath);
    const QString work = WorkFileBeside(path, "repair");
    try {
        {
            auto damaged = Connection::Open(path, Connection::Mode::Salvage);
            if (!HasReadableControlRow(*damaged))
                return false;
            auto fresh = Connection::Open(work, Connection::Mode::Create);
            CreateSchema(*fresh);
            Transaction transaction(*fresh);
            for (const TableDef& table : ListSchema())
                TableSalvage(*damaged, *fresh, table).Run();
            transaction.Commit();
        }
        const QString kept =
            FreeNameBeside(path, "damaged " + CurrentDateTime().toString("yyyy-MM-dd hhmm"));
        if (!KeepFileAs(path, kept)) {
            QFile::remove(work);
            return false;
        }
        if (!ReplaceFile(work, path)) {
            QFile::remove(kept); // the original still stands at its own path
            QFile::remove(work);
            return false;
        }
        if (keptAs)
            *keptAs = kept;
        return true;
    } catch (const EngineError&) {
        QFile::remove(work);
        return false;
    }
}
