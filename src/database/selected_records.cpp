#include "database/selected_records.h"

#include "app/settings.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "database/statement.h"
#include "database/stored_date.h"

#include <QDate>
#include <QLatin1String>

namespace {

// The positions of the record's columns in the rows of a query; -1 where it has none.
class RowColumns {
public:
    explicit RowColumns(const Statement& rows) {
        static const char* const names[kCount] = {
            "Name",      "Address", "City",  "State",    "Zip",      "EMail", "Phone",
            "Attention", "Code",    "CarRt", "LastEdit", "Switches", "Notes"};
        for (int c = 0; c < kCount; ++c) {
            m_at[c] = -1;
            for (int i = 0; i < rows.ColumnCount(); ++i)
                if (rows.ColumnName(i).compare(QLatin1String(names[c]), Qt::CaseInsensitive) == 0)
                    m_at[c] = i;
        }
    }

    ListRecord Record(const Statement& rows) const {
        ListRecord r;
        r.Name = Text(rows, 0);
        r.Address = Text(rows, 1);
        r.City = Text(rows, 2);
        r.State = Text(rows, 3);
        r.Zip = Text(rows, 4);
        r.EMail = Text(rows, 5);
        r.Phone = Text(rows, 6);
        r.Attention = Text(rows, 7);
        r.Code = Text(rows, 8);
        r.CarRt = Text(rows, 9);
        if (m_at[10] >= 0)
            r.LastEdit = DateFromStored(rows.Value(m_at[10]));
        r.Switches = Text(rows, 11);
        r.Notes = Text(rows, 12);
        return r;
    }

private:
    static constexpr int kCount = 13;
    QString Text(const Statement& rows, int column) const {
        return m_at[column] >= 0 ? rows.Text(m_at[column]) : QString();
    }
    int m_at[kCount];
};

// The query of the records the store has selected: the current filter's, or the whole
// list in name order.
QString SelectionSql(const ListCore& list) {
    if (list.Filtered()) {
        FilterCore filters;
        filters.SetID(ControlCore().CurrentFilter());
        return filters.Query();
    }
    return QStringLiteral("SELECT * FROM [List] ORDER BY [Name], [ID]");
}

} // namespace

qint64 ForEachSelectedRecord(const ListCore& list,
                             const std::function<bool(const ListRecord&, qint64)>& visit) {
    auto db = Connection::Open(CurrentListSetting(), Connection::Mode::ReadOnly);
    Statement rows = db->Prepare(SelectionSql(list));
    const RowColumns columns(rows);
    qint64 position = 0;
    while (rows.Step()) {
        if (!visit(columns.Record(rows), position++))
            break;
    }
    return position;
}
