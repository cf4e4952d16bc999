// Import: the line reader on any bytes, then the record mapping of every line it gives, in
// both line forms and with a field list taken from the input; and the CSV reader on them.

#include "database/list_record.h"
#include "filters/csv_reader.h"
#include "filters/delimited_text.h"
#include "filters/text_line_reader.h"
#include "filters/transfer_items.h"
#include "fuzz_check.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// Reads more fields than a line holds, as the record mapping does for a long field list:
// past the last field the reader gives empty fields and stays where it is, always inside
// the line.
void ReadAllFields(Delimiter delimiter, const QString& line) {
    int position = 0;
    QString field;
    for (int fields = 0; fields < 24; ++fields) {
        const int before = position;
        const FieldRead read = ReadField(delimiter, line, position, field);
        if (read == FieldRead::Invalid)
            return;
        FUZZ_CHECK(position >= before && position <= line.size() + 1);
        FUZZ_CHECK(position > before || field.isEmpty());
    }
}

// The CSV reader on the same bytes, given in two pieces cut anywhere: every record begins
// on a later line than the one before, within the lines the bytes hold.
void ReadCsv(const std::string& bytes, size_t cut) {
    CsvReader reader(',');
    reader.Feed(QByteArrayView(bytes.data(), qsizetype(cut)));
    reader.Feed(QByteArrayView(bytes.data() + cut, qsizetype(bytes.size() - cut)));
    reader.Finish();
    const qint64 lines = qint64(std::count(bytes.begin(), bytes.end(), '\n') +
                                std::count(bytes.begin(), bytes.end(), '\r')) +
                         1;
    qint64 previous = 0;
    for (CsvRow row; reader.TakeRow(row);) {
        FUZZ_CHECK(row.line > previous && row.line <= lines);
        FUZZ_CHECK(row.problem == CsvRow::Problem::None || row.FieldCount() == 0);
        previous = row.line;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    static const QString path = folder.filePath("import.txt");
    FuzzedDataProvider input(data, size);
    // A field list of up to twenty item codes, some of them outside the known range.
    QList<int> fields;
    const int count = input.ConsumeIntegralInRange(0, 20);
    for (int i = 0; i < count; ++i)
        fields << input.ConsumeIntegralInRange(-1, 20);
    const size_t cut = input.ConsumeIntegral<uint16_t>();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    ReadCsv(bytes, std::min(cut, bytes.size()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(bytes.data(), qint64(bytes.size()));
    }
    TextLineReader reader(path);
    FUZZ_CHECK(reader.IsOpen());
    FUZZ_CHECK(reader.Size() == qint64(bytes.size()));
    const QDate today(2024, 2, 29);
    QString line;
    qint64 lines = 0;
    while (reader.ReadLine(line)) {
        FUZZ_CHECK(++lines <= qint64(bytes.size()));
        FUZZ_CHECK(reader.BytesRead() <= reader.Size());
        for (const Delimiter delimiter : {Delimiter::QuoteComma, Delimiter::Tab}) {
            ReadAllFields(delimiter, line);
            ListRecord record;
            if (RecordFromLine(line, fields, delimiter, today, record) == LineFault::None) {
                // What was read can be written out again in the same form.
                const QString written = LineFromRecord(record, fields, delimiter, false);
                ListRecord again;
                FUZZ_CHECK(RecordFromLine(written, fields, delimiter, today, again) ==
                           LineFault::None);
            }
        }
    }
    FUZZ_CHECK(reader.BytesRead() == reader.Size());
    return 0;
}
