#include "printing/record_text_file.h"

#include "app/value_formats.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "database/selected_records.h"
#include "filters/text_file_writer.h"

namespace {

constexpr int kAddressColumn = 35;
constexpr int kPhoneColumn = 70;
constexpr int kNamePiece = 34;
constexpr int kAddressPiece = 34;
constexpr int kEMailPiece = 100;
constexpr int kSplitNameAbove = 33;

// Lines built by writing at columns (counted from 1), as a line printer would.
class ColumnLines {
public:
    void Write(const QString& text) { m_line += text; }
    // Moves to the column on this line, or on the next one when this line is past it.
    void Tab(int column) {
        if (m_line.size() + 1 > column)
            EndLine();
        if (m_line.size() < column - 1)
            m_line.resize(column - 1, QLatin1Char(' '));
    }
    void EndLine() {
        int end = m_line.size();
        while (end > 0 && m_line.at(end - 1) == QLatin1Char(' '))
            --end;
        m_line.truncate(end);
        m_lines << std::move(m_line);
        m_line = QString();
    }
    const QStringList& Lines() const { return m_lines; }

private:
    QString m_line;
    QStringList m_lines;
};

QStringList AddressLines(const QString& address) {
    return address.split(QStringLiteral("\r\n"));
}

} // namespace

QStringList RecordTextLines(const ListRecord& record) {
    const QString name = ReverseName(record.Name, true);
    QString first = name;
    QString rest;
    const int lastSpace = name.lastIndexOf(QLatin1Char(' '));
    if (name.size() > kSplitNameAbove && lastSpace >= 0) {
        first = name.left(lastSpace);
        rest = name.mid(lastSpace + 1);
    }
    first.truncate(kNamePiece);
    rest.truncate(kNamePiece);
    const QString place =
        record.City + QLatin1Char(' ') + record.State + QLatin1Char(' ') + FormatZip(record.Zip);
    const bool hasAddress = !record.Address.trimmed().isEmpty();
    const QStringList address = hasAddress ? AddressLines(record.Address) : QStringList();

    ColumnLines out;
    out.Write(first);
    if (hasAddress) {
        out.Tab(kAddressColumn);
        out.Write(address.at(0).left(kAddressPiece));
    }
    out.Tab(kPhoneColumn);
    out.Write(FormatPhone(record.Phone));
    out.EndLine();
    if (!rest.isEmpty())
        out.Write(rest);
    if (address.size() >= 2) {
        out.Tab(kAddressColumn);
        out.Write(address.at(1).left(kAddressPiece));
        out.Tab(kPhoneColumn);
        out.Write(record.EMail.left(kEMailPiece));
        out.EndLine();
        for (int i = 2; i < address.size(); ++i) {
            out.Tab(kAddressColumn);
            out.Write(address.at(i).left(kAddressPiece));
            out.EndLine();
        }
        out.Tab(kAddressColumn);
        out.Write(place.left(kAddressPiece));
        out.EndLine();
    } else {
        out.Tab(kAddressColumn);
        out.Write(place.left(kAddressPiece));
        out.Tab(kPhoneColumn);
        out.Write(record.EMail.left(kEMailPiece));
        out.EndLine();
    }
    out.EndLine();
    return out.Lines();
}

qint64 WriteRecordTextFile(const QString& path, ListCore& records,
                           const TextFileProgress& progress) {
    TextFileWriter writer(path);
    qint64 written = 0;
    if (records.Records() > 0) {
        SelectedPass pass;
        pass.format = [](const ListRecord& record) {
            return TextFileWriter::EncodedLines(RecordTextLines(record));
        };
        pass.take = [&](qint64, QByteArrayView lines) {
            writer.WriteEncoded(lines);
            ++written;
            if (progress)
                progress(written);
            return true;
        };
        // While the records are read, before the first is written, the caller is told that
        // none has been written yet.
        if (progress)
            pass.progress = [&](double) {
                progress(written);
                return true;
            };
        RunSelectedPass(records, pass);
    }
    writer.Commit();
    return written;
}
