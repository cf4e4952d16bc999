#include "database/repair.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/file_replace.h"
#include "database/schema.h"
#include "database/statement.h"

#include <QDateTime>
#include <QFile>
#include <QStringList>
#include <limits>

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

class Salvage {
public:
    Salvage(Connection& from, Connection& to) : m_from(from), m_to(to) {}

    // Copies the readable rows of one table; columns are matched by name.
    void CopyTable(const TableDef& table) {
        QStringList columns;
        std::vector<const ColumnDef*> defs;
        try {
            Statement info = m_from.Prepare(QStringLiteral("PRAGMA table_info(\"%1\")")
                                                .arg(QLatin1String(table.name)));
            QStringList present;
            while (info.Step())
                present << info.Text(1);
            for (const ColumnDef& column : table.columns) {
                if (present.contains(QLatin1String(column.name), Qt::CaseInsensitive)) {
                    columns << QStringLiteral("\"%1\"").arg(QLatin1String(column.name));
                    defs.push_back(&column);
                }
            }
        } catch (const EngineError&) {
            return;
        }
        if (columns.isEmpty())
            return;
        const QString select = QStringLiteral("SELECT rowid, %1 FROM \"%2\" WHERE rowid > ? "
                                              "ORDER BY rowid")
                                   .arg(columns.join(", "), QLatin1String(table.name));
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << "?";
        Statement insert = m_to.Prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                            .arg(QLatin1String(table.name), columns.join(", "),
                                                 marks.join(", ")));
        const bool onlyFirstRow = QLatin1String(table.name) == QLatin1String("Control");
        qint64 last = std::numeric_limits<qint64>::min();
        qint64 skip = 1;
        while (true) {
            try {
                Statement rows = m_from.Prepare(select);
                rows.Bind(1, last);
                while (rows.Step()) {
                    last = rows.Number(0);
                    skip = 1;
                    CopyRow(insert, rows, defs);
                    if (onlyFirstRow)
                        return;
                }
                return; // the end of the table was reached
            } catch (const EngineError& error) {
                if (!error.IsDamagedFile() && error.EngineCode() != 10 /* I/O */)
                    throw;
            }
            // A damaged page: step over the row numbers it holds, further each time.
            if (last > std::numeric_limits<qint64>::max() - skip)
                return;
            last = last == std::numeric_limits<qint64>::min() ? skip : last + skip;
            if (skip > (std::numeric_limits<qint64>::max() >> 2))
                return;
            skip *= 2;
        }
    }

private:
    void CopyRow(Statement& insert, const Statement& rows,
                 const std::vector<const ColumnDef*>& defs) {
        for (size_t i = 0; i < defs.size(); ++i)
            insert.Bind(int(i) + 1, Conform(*defs[i], rows.Value(int(i) + 1)));
        insert.Run();
    }

    Connection& m_from;
    Connection& m_to;
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

bool RepairListFile(const QString& path, QString* keptAs) {
    const QString work = WorkFileBeside(path, "repair");
    try {
        {
            auto damaged = Connection::Open(path, Connection::Mode::ReadOnly);
            if (!HasReadableControlRow(*damaged))
                return false;
            auto fresh = Connection::Open(work, Connection::Mode::Create);
            CreateSchema(*fresh);
            Transaction transaction(*fresh);
            Salvage salvage(*damaged, *fresh);
            for (const TableDef& table : ListSchema())
                salvage.CopyTable(table);
            transaction.Commit();
        }
        const QString kept = FreeNameBeside(
            path, "damaged " + QDateTime::currentDateTime().toString("yyyy-MM-dd hhmm"));
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
