#include "filters/transfer_items.h"

#include "app/value_formats.h"
#include "database/list_record.h"

#include <QLocale>
#include <QStringList>

namespace {

QString Caption(int code) {
    switch (code) {
    case TransferItem::Name:
        return "Name";
    case TransferItem::AddressLine1:
        return "Address Line 1";
    case TransferItem::AddressLine2:
        return "Address Line 2";
    case TransferItem::AddressLine3:
        return "Address Line 3";
    case TransferItem::City:
        return "City";
    case TransferItem::State:
        return "State";
    case TransferItem::Zip:
        return "Zip Code";
    case TransferItem::EMail:
        return "E-Mail Address";
    case TransferItem::Phone:
        return "Phone";
    case TransferItem::Attention:
        return "Attention Line";
    case TransferItem::Code:
        return "Code";
    case TransferItem::CarRt:
        return "Carrier Route";
    case TransferItem::Switches:
        return "Switches";
    case TransferItem::Notes:
        return "Notes";
    case TransferItem::LastEdit:
        return "Date of Last Edit";
    case TransferItem::LastName:
        return "Last Name";
    case TransferItem::FirstName:
        return "First Name";
    case TransferItem::ReversedName:
        return "Reversed Name";
    default:
        return "<Skip Field>";
    }
}

// A date as typed in a file: month/day/year as written by the export, ISO, or the
// locale's short form.
QDate ParseDate(const QString& text) {
    const QString t = text.trimmed();
    for (const char* format : {"M/d/yyyy", "MM/dd/yyyy", "yyyy-MM-dd", "M/d/yy"}) {
        const QDate date = QDate::fromString(t, QLatin1String(format));
        if (date.isValid())
            return date;
    }
    return QLocale().toDate(t, QLocale::ShortFormat);
}

QString LastNamePart(const QString& name) {
    const int semicolon = name.indexOf(QLatin1Char(';'));
    return (semicolon < 0 ? name : name.left(semicolon)).trimmed();
}

QString FirstNamePart(const QString& name) {
    const int semicolon = name.indexOf(QLatin1Char(';'));
    return semicolon < 0 ? QString() : name.mid(semicolon + 1).trimmed();
}

// A value in a line of the file: quotation marks become apostrophes, which keeps the
// quoted style readable, and in a tab-separated line a tab becomes a space, since it would
// split the value in two.
void AppendValue(QString& line, const QString& value, bool tabs) {
    const qsizetype start = line.size();
    line += value;
    QChar* at = line.data() + start;
    QChar* const end = line.data() + line.size();
    for (; at != end; ++at) {
        if (*at == QLatin1Char('"'))
            *at = QLatin1Char('\'');
        else if (tabs && *at == QLatin1Char('\t'))
            *at = QLatin1Char(' ');
    }
}

// MM/dd/yyyy, written digit by digit: the line is made for every record of a list.
void AppendMonthDayYear(QString& line, const QDate& date) {
    const auto digit = [](int value) { return QLatin1Char(char('0' + value % 10)); };
    const int year = date.year();
    const QChar text[10] = {
        digit(date.month() / 10), digit(date.month()), QLatin1Char('/'),   digit(date.day() / 10),
        digit(date.day()),        QLatin1Char('/'),    digit(year / 1000), digit(year / 100),
        digit(year / 10),         digit(year)};
    line.append(text, 10);
}

} // namespace

QList<int> StandardTransferItems() {
    QList<int> items;
    for (int code = TransferItem::Name; code <= TransferItem::LastEdit; ++code)
        items << code;
    return items;
}

QList<int> ExtraTransferItems() {
    return {TransferItem::LastName, TransferItem::FirstName, TransferItem::ReversedName,
            TransferItem::Skip};
}

QString TransferItemCaption(int code) {
    return Caption(code);
}

QString MailMergeHeader(const QList<int>& fields, Delimiter delimiter) {
    QStringList captions;
    for (int code : fields)
        captions << Caption(code).remove(QLatin1Char(' '));
    return JoinFields(captions, delimiter);
}

bool RecordFromLine(const QString& line, const QList<int>& fields, Delimiter delimiter,
                    const QDate& today, ListRecord& record) {
    ListRecord r;
    QString lastName, firstName;
    QString addressParts[3];
    int position = 0;
    QString accumulator;
    int previous = -1;
    for (int code : fields) {
        if (code != previous)
            accumulator.clear();
        previous = code;
        QString field;
        const FieldRead read = ReadField(delimiter, line, position, field);
        if (read == FieldRead::Invalid)
            return false;
        accumulator += field;
        switch (code) {
        case TransferItem::Name:
            r.Name = accumulator.left(34);
            break;
        case TransferItem::AddressLine1:
        case TransferItem::AddressLine2:
        case TransferItem::AddressLine3:
            addressParts[code - TransferItem::AddressLine1] = accumulator;
            break;
        case TransferItem::City:
            r.City = accumulator.left(20);
            break;
        case TransferItem::State:
            r.State = accumulator.left(2);
            break;
        case TransferItem::Zip:
            r.Zip = ZipDigits(accumulator.left(10), false);
            break;
        case TransferItem::EMail:
            r.EMail = accumulator.left(35);
            break;
        case TransferItem::Phone:
            r.Phone = PhoneDigits(accumulator.left(15));
            break;
        case TransferItem::Attention:
            r.Attention = accumulator.left(35);
            break;
        case TransferItem::Code:
            r.Code = accumulator.left(20);
            break;
        case TransferItem::CarRt:
            r.CarRt = accumulator.left(20);
            break;
        case TransferItem::Switches:
            r.Switches = accumulator;
            break;
        case TransferItem::Notes:
            r.Notes = accumulator.split(QLatin1Char('\n')).join(QLatin1String("\r\n")).trimmed();
            break;
        case TransferItem::LastEdit: {
            const QDate date = ParseDate(accumulator);
            if (date.isValid())
                r.LastEdit = date;
            break;
        }
        case TransferItem::LastName:
        case TransferItem::ReversedName:
            lastName = accumulator;
            break;
        case TransferItem::FirstName:
            firstName = accumulator;
            break;
        default:
            break;
        }
        if (read == FieldRead::EndOfLine)
            break;
    }
    QString name = lastName;
    if (!firstName.isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral("; ")) + firstName;
    if (!name.isEmpty())
        r.Name = name.left(34);
    QStringList address;
    for (const QString& part : addressParts)
        if (!part.isEmpty())
            address << part;
    r.Address = address.join(QLatin1String("\r\n")).left(200);
    r.Imported = 1;
    if (!r.LastEdit.isValid())
        r.LastEdit = today;
    record = r;
    return true;
}

QString LineFromRecord(const ListRecord& record, const QList<int>& fields, Delimiter delimiter,
                       bool mailMerge) {
    const bool tabs = delimiter == Delimiter::Tab;
    QString line;
    line.reserve(record.Name.size() + record.Address.size() + record.Notes.size() + 160);
    if (!tabs)
        line += QLatin1Char('"');
    // The address is split into its lines once, when a line of it is first asked for.
    QList<QStringView> addressLines;
    bool addressSplit = false;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const int code = fields.at(i);
        if (i > 0)
            line += tabs ? QStringLiteral("\t") : QStringLiteral("\",\"");
        QString value;
        switch (code) {
        case TransferItem::Name:
            value = record.Name;
            break;
        case TransferItem::AddressLine1:
        case TransferItem::AddressLine2:
        case TransferItem::AddressLine3: {
            if (!addressSplit) {
                addressLines = QStringView(record.Address).split(u"\r\n");
                addressSplit = true;
            }
            const int n = code - TransferItem::AddressLine1;
            if (n < addressLines.size())
                value = addressLines.at(n).toString();
            break;
        }
        case TransferItem::City:
            value = record.City;
            break;
        case TransferItem::State:
            value = record.State;
            break;
        case TransferItem::Zip:
            value = mailMerge ? FormatZip(record.Zip) : record.Zip;
            break;
        case TransferItem::EMail:
            value = record.EMail;
            break;
        case TransferItem::Phone:
            value = mailMerge ? FormatPhone(record.Phone) : record.Phone;
            break;
        case TransferItem::Attention:
            value = record.Attention;
            break;
        case TransferItem::Code:
            value = record.Code;
            break;
        case TransferItem::CarRt:
            value = record.CarRt;
            break;
        case TransferItem::Switches:
            line += record.Switches;
            continue;
        case TransferItem::Notes:
            value = record.Notes;
            value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            break;
        case TransferItem::LastEdit:
            // A record without a date carries Jet's day 0, as older files did.
            AppendMonthDayYear(line,
                               record.LastEdit.isValid() ? record.LastEdit : QDate(1899, 12, 30));
            continue;
        case TransferItem::LastName:
            value = LastNamePart(record.Name);
            break;
        case TransferItem::FirstName:
            value = FirstNamePart(record.Name);
            break;
        case TransferItem::ReversedName:
            value = ReverseName(record.Name, false);
            break;
        default:
            break;
        }
        AppendValue(line, value, tabs);
    }
    if (!tabs)
        line += QLatin1Char('"');
    return line;
}
