#include "filters/build_filter_query.h"

#include "app/messages.h"
#include "database/filter_record.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace {

constexpr int kSwitchCount = 16;
const QString kNoPhone = QStringLiteral("0000000000");

// A text value as a quoted literal. A NUL character would end the statement's text in the
// middle of the literal, so it is left out.
QString Literal(const QString& value) {
    QString doubled = value;
    doubled.remove(QChar(0));
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

// A LIKE pattern of sixteen "?" with "1" at the given positions (0-based).
QString SwitchPattern(const QList<int>& positions) {
    QString pattern(kSwitchCount, QLatin1Char('?'));
    for (int position : positions)
        pattern[position] = QLatin1Char('1');
    return pattern;
}

QList<int> CheckedSwitches(const QString& switches) {
    QList<int> positions;
    for (int i = 0; i < kSwitchCount && i < switches.size(); ++i)
        if (switches.at(i) == QLatin1Char('1'))
            positions << i;
    return positions;
}

QString OrderColumn(int sequence) {
    static const char* const columns[] = {"[Name]",  "[City]", "[State]", "[Zip]",     "[EMail]",
                                          "[Phone]", "[Code]", "[CarRt]", "[LastEdit]"};
    return sequence >= 0 && sequence <= 8 ? QString::fromLatin1(columns[sequence])
                                          : QStringLiteral("[Name]");
}

// "Greater than 0" for a date: a date after the zero date.
bool IsSet(const QDate& date) {
    return date.isValid() && date > QDate(1899, 12, 30);
}

class QueryText {
public:
    QueryText() : m_sql(QStringLiteral("SELECT * FROM [List]")) {}

    void Add(const QString& clause) { Join(QStringLiteral(" AND "), clause); }
    void AddAlternative(const QString& clause) { Join(QStringLiteral(" OR "), clause); }

    void AddRange(const char* column, const QString& start, const QString& end) {
        if (!start.trimmed().isEmpty())
            Add(QStringLiteral("[%1] >= ").arg(QLatin1String(column)) + Literal(start));
        if (!end.trimmed().isEmpty())
            Add(QStringLiteral("[%1] <= ").arg(QLatin1String(column)) + Literal(end));
    }

    QString Finish(int sequence) { return m_sql + " ORDER BY " + OrderColumn(sequence) + ";"; }

private:
    void Join(const QString& joiner, const QString& clause) {
        m_sql += m_where ? joiner : QStringLiteral(" WHERE ");
        m_where = true;
        m_sql += clause;
    }

    QString m_sql;
    bool m_where = false;
};

} // namespace

QString BuildFilterQuery(const FilterRecord& f) {
    QueryText query;
    query.AddRange("Name", f.StartName, f.EndName);
    query.AddRange("City", f.StartCity, f.EndCity);
    query.AddRange("State", f.StartState, f.EndState);
    query.AddRange("Zip", f.StartZip, f.EndZip);
    query.AddRange("EMail", f.StartEMail, f.EndEMail);

    // An all-zero phone is no bound, and so is anything that sorts at or before it.
    if (f.StartPhone.compare(kNoPhone, Qt::CaseInsensitive) > 0)
        query.Add("[Phone] >= " + Literal(f.StartPhone));
    if (f.EndPhone.compare(kNoPhone, Qt::CaseInsensitive) > 0)
        query.Add("[Phone] <= " + Literal(f.EndPhone));

    query.AddRange("Code", f.StartCode, f.EndCode);
    query.AddRange("CarRt", f.StartCarRt, f.EndCarRt);

    if (IsSet(f.StartDate))
        query.Add("[LastEdit] >= " + DateLiteral(f.StartDate));
    if (IsSet(f.EndDate))
        query.Add("[LastEdit] <= " + DateLiteral(f.EndDate));

    if (f.Marked != 0)
        query.Add(QStringLiteral("[Marked] = 1"));
    if (f.Imported != 0)
        query.Add(QStringLiteral("[Imported] = 1"));

    // Any of these switches: one term per switch.
    const QList<int> orSelect = CheckedSwitches(f.OrSelect);
    if (!orSelect.isEmpty()) {
        QStringList terms;
        for (int position : orSelect)
            terms << "[Switches] LIKE '" + SwitchPattern({position}) + "'";
        query.Add("(" + terms.join(QStringLiteral(" OR ")) + ")");
    }
    // All of these switches. This one clause is joined with OR: the statement selects the
    // records that meet every earlier clause, together with those that meet this clause and
    // every later one.
    const QList<int> andSelect = CheckedSwitches(f.AndSelect);
    if (!andSelect.isEmpty())
        query.AddAlternative("[Switches] LIKE '" + SwitchPattern(andSelect) + "'");
    // Not all of these switches.
    const QList<int> andReject = CheckedSwitches(f.AndReject);
    if (!andReject.isEmpty())
        query.Add("[Switches] NOT LIKE '" + SwitchPattern(andReject) + "'");
    // None of these switches.
    const QList<int> orReject = CheckedSwitches(f.OrReject);
    if (!orReject.isEmpty()) {
        QStringList terms;
        for (int position : orReject)
            terms << "[Switches] NOT LIKE '" + SwitchPattern({position}) + "'";
        query.Add("(" + terms.join(QStringLiteral(" AND ")) + ")");
    }
    return query.Finish(f.Sequence);
}
