#include "filters/transfer_items.h"

#include "app/value_formats.h"
#include "database/list_record.h"
#include "filters/csv_writer.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

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

// The most characters the record holds for an item's value; 0 for no limit.
int ItemLimit(int code) {
    switch (code) {
    case TransferItem::Name:
        return 34;
    case TransferItem::City:
    case TransferItem::Code:
    case TransferItem::CarRt:
        return 20;
    case TransferItem::State:
        return 2;
    case TransferItem::EMail:
    case TransferItem::Attention:
        return 35;
    default:
        return 0;
    }
}

// A value with its line breaks (CR LF, LF or CR) made the record's CR LF in a multi-line
// item, or blanks in a one-line item.
QString WithLineBreaks(const QString& value, bool multiLine) {
    if (!value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString text = value;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (multiLine)
        return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '));
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

QString CsvHeader(const QList<int>& fields) {
    QStringList captions;
    for (int code : fields)
        captions << Caption(code);
    return CsvLine(captions);
}

QString LineFaultText(LineFault fault, const QString& item) {
    switch (fault) {
    case LineFault::None:
        return QString();
    case LineFault::NotARecord:
        return QStringLiteral("not a record");
    case LineFault::TooManyFields:
        return QStringLiteral("too many fields");
    case LineFault::ValueTooLong:
        return QStringLiteral("a value too long: %1").arg(item);
    case LineFault::BadSwitches:
        return QStringLiteral("Switches not 1 to 16 characters of 0 and 1");
    }
    return QString();
}

LineFault RecordFromFields(const QStringList& values, const QList<int>& fields, const QDate& today,
                           ListRecord& record, QString* item) {
    // Values beyond the field list are allowed only when empty (a line ending with
    // delimiters, as some spreadsheets write).
    for (qsizetype i = fields.size(); i < values.size(); ++i)
        if (!values.at(i).isEmpty())
            return LineFault::TooManyFields;
    ListRecord r;
    QString lastName, firstName;
    QString addressParts[3];
    QString accumulator;
    int previous = -1;
    // The first value longer than its item holds.
    int tooLong = -1;
    // A date column left empty: the record has no date (as the CSV export writes it),
    // where a file without a date column dates its records today.
    bool undated = false;
    const auto fits = [&tooLong](const QString& value, int code) {
        if (value.size() > ItemLimit(code) && tooLong < 0)
            tooLong = code;
        return value;
    };
    const qsizetype count = std::min(fields.size(), values.size());
    for (qsizetype i = 0; i < count; ++i) {
        const int code = fields.at(i);
        if (code != previous)
            accumulator.clear();
        previous = code;
        accumulator += values.at(i);
        const bool multiLine = code == TransferItem::Notes || (code >= TransferItem::AddressLine1 &&
                                                               code <= TransferItem::AddressLine3);
        const QString value = WithLineBreaks(accumulator, multiLine);
        switch (code) {
        case TransferItem::Name:
            r.Name = fits(value, code);
            break;
        case TransferItem::AddressLine1:
        case TransferItem::AddressLine2:
        case TransferItem::AddressLine3:
            addressParts[code - TransferItem::AddressLine1] = value;
            break;
        case TransferItem::City:
            r.City = fits(value, code);
            break;
        case TransferItem::State:
            r.State = fits(value, code);
            break;
        case TransferItem::Zip:
            r.Zip = ZipDigits(value.left(10), false);
            break;
        case TransferItem::EMail:
            r.EMail = fits(value, code);
            break;
        case TransferItem::Phone:
            r.Phone = PhoneDigits(value.left(15));
            break;
        case TransferItem::Attention:
            r.Attention = fits(value, code);
            break;
        case TransferItem::Code:
            r.Code = fits(value, code);
            break;
        case TransferItem::CarRt:
            r.CarRt = fits(value, code);
            break;
        case TransferItem::Switches:
            r.Switches = value.trimmed();
            break;
        case TransferItem::Notes:
            r.Notes = value.trimmed();
            break;
        case TransferItem::LastEdit: {
            const QDate date = ParseDate(value);
            if (date.isValid())
                r.LastEdit = date;
            undated = value.trimmed().isEmpty();
            break;
        }
        case TransferItem::LastName:
        case TransferItem::ReversedName:
            lastName = value;
            break;
        case TransferItem::FirstName:
            firstName = value;
            break;
        default:
            break;
        }
    }
    QString name = lastName;
    if (!firstName.isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral("; ")) + firstName;
    if (!name.isEmpty())
        r.Name = fits(name, TransferItem::Name);
    QStringList address;
    for (const QString& part : addressParts)
        if (!part.isEmpty())
            address << part;
    r.Address = address.join(QLatin1String("\r\n"));
    if (r.Address.size() > 200 && tooLong < 0) {
        if (item)
            *item = QStringLiteral("Address holds at most 200 characters");
        return LineFault::ValueTooLong;
    }
    if (tooLong >= 0) {
        if (item)
            *item = QStringLiteral("%1 holds at most %2 characters")
                        .arg(Caption(tooLong))
                        .arg(ItemLimit(tooLong));
        return LineFault::ValueTooLong;
    }
    if (!r.Switches.isEmpty()) {
        const bool bits = r.Switches.size() <= 16 &&
                          std::all_of(r.Switches.begin(), r.Switches.end(), [](QChar c) {
                              return c == QLatin1Char('0') || c == QLatin1Char('1');
                          });
        if (!bits) {
            if (item)
                *item = Caption(TransferItem::Switches);
            return LineFault::BadSwitches;
        }
        r.Switches = r.Switches.leftJustified(16, QLatin1Char('0'));
    }
    r.Imported = 1;
    if (!r.LastEdit.isValid() && !undated)
        r.LastEdit = today;
    record = r;
    return LineFault::None;
}

LineFault RecordFromLine(const QString& line, const QList<int>& fields, Delimiter delimiter,
                         const QDate& today, ListRecord& record, QString* item) {
    QStringList values;
    if (!SplitLine(line, delimiter, values))
        return LineFault::NotARecord;
    return RecordFromFields(values, fields, today, record, item);
}

QString LineFromRecord(const ListRecord& record, const QList<int>& fields, Delimiter delimiter,
                       bool mailMerge) {
    const bool tabs = delimiter == Delimiter::Tab;
    const bool csv = delimiter == Delimiter::Csv;
    QString line;
    line.reserve(record.Name.size() + record.Address.size() + record.Notes.size() + 160);
    if (delimiter == Delimiter::QuoteComma)
        line += QLatin1Char('"');
    // The address is split into its lines once, when a line of it is first asked for.
    QList<QStringView> addressLines;
    bool addressSplit = false;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const int code = fields.at(i);
        if (i > 0)
            line += tabs  ? QStringLiteral("\t")
                    : csv ? QStringLiteral(",")
                          : QStringLiteral("\",\"");
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
            // A CSV field can hold line breaks: the third line takes the rest of the address,
            // so that no line of it is lost.
            if (csv && code == TransferItem::AddressLine3)
                for (qsizetype more = n + 1; more < addressLines.size(); ++more) {
                    value += QLatin1String("\r\n");
                    value += addressLines.at(more);
                }
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
            if (!csv)
                value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            break;
        case TransferItem::LastEdit:
            if (csv) {
                // No date is an empty field in a spreadsheet.
                if (record.LastEdit.isValid())
                    line += record.LastEdit.toString(Qt::ISODate);
                continue;
            }
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
        if (csv)
            AppendCsvField(line, value);
        else
            AppendValue(line, value, tabs);
    }
    if (delimiter == Delimiter::QuoteComma)
        line += QLatin1Char('"');
    return line;
}
