#include "filters/import_export.h"

#include "app/clock.h"
#include "app/messages.h"
#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "database/selected_records.h"
#include "filters/text_file_writer.h"
#include "filters/text_line_reader.h"
#include "filters/transfer_items.h"

#include <QDate>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kImportBatchRows = 100000;

// True when the current list can't be written (a read-only file or folder).
bool ListIsReadOnly() {
    try {
        return Connection::Open(CurrentListSetting())->IsReadOnly();
    } catch (const EngineError&) {
        return false; // the store has opened it; its own writes will tell
    }
}

} // namespace

double NthSelectValue(const QString& text) {
    // The number the text begins with, as typed ("3rd" is 3); no number is 0.
    static const QRegularExpression leading(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    const QRegularExpressionMatch match = leading.match(text);
    if (!match.hasMatch())
        return 0;
    const double value = match.captured(0).trimmed().toDouble();
    // No list holds more records than this; larger counts mean the same.
    constexpr double kMost = 1e15;
    return std::nearbyint(std::clamp(value, -kMost, kMost)); // half to even by default
}

ImportResult ImportTextFile(const QString& path, const QList<int>& fields, Delimiter delimiter,
                            const ProgressHandler& progress) {
    ImportResult result;
    TextLineReader reader(path);
    if (!reader.IsOpen()) {
        result.unreadable = true;
        InfoBox("Couldn't read the file. Reason unknown.\n" + path);
        return result;
    }
    // A store of its own on the whole table: adding in table mode runs no query again.
    ListCore list;
    if (ListIsReadOnly()) {
        result.failed = true;
        InfoBox("File is locked or write protected\n" + CurrentListSetting());
        return result;
    }
    const QDate today = CurrentDate();
    QString line;
    qint64 number = 0;
    try {
        // Large batches: a commit waits for the disk, and a stop keeps the rows added so
        // far whatever the batch size.
        list.UseLargeCache();
        auto batch = list.BeginBatch(kImportBatchRows);
        while (reader.ReadLine(line)) {
            ++number;
            ListRecord record;
            if (!RecordFromLine(line, fields, delimiter, today, record)) {
                result.invalidLine = number;
                break;
            }
            if (list.AppendRecord(record))
                ++result.added;
            else
                ++result.refused;
            if (progress && number % 256 == 0 && !progress(reader.BytesRead(), reader.Size())) {
                result.cancelled = true;
                break;
            }
        }
        batch->Commit(); // the rows added so far; throws when the list can't take them
    } catch (const EngineError& error) {
        // The open batch is rolled back; the batches committed before it stay.
        result.failed = true;
        // A list another copy of the program is writing, or one that can't be written after
        // all (its folder refuses the journal), gets the same words as a write-protected one.
        const QString text = error.Number() == JetError::FileLocked
                                 ? "File is locked or write protected\n" + CurrentListSetting()
                                 : error.Text();
        InfoBox(number > 0
                    ? QStringLiteral("%1\nThe import stopped at line %2.").arg(text).arg(number)
                    : text);
        return result;
    }
    if (result.invalidLine > 0)
        InfoBox(QStringLiteral("Invalid input file.\nLine %1").arg(result.invalidLine));
    return result;
}

WriteResult WriteDelimitedFile(const QString& path, const ExportOptions& options,
                               const ProgressHandler& progress) {
    // The store applies the filter (telling the user of a corrupt one) and counts its
    // records; the rows are then read in one pass of the same query, which is many times
    // faster than moving the store from record to record.
    ListCore list;
    list.SetCurrentFilter();
    const qint64 total = list.Records();
    if (total < 1)
        return WriteResult::NoRecords;
    TextFileWriter writer(path);
    if (options.mailMerge)
        writer.WriteLine(MailMergeHeader(options.fields, options.delimiter));
    // Skipping stops at the last record, which is then written.
    const qint64 skip = options.skip > 0 ? qint64(std::min(options.skip, double(total - 1))) : 0;
    const qint64 interval =
        options.interval >= 1 ? qint64(std::min(options.interval, double(total))) : 1;
    bool cancelled = false;
    SelectedPass pass;
    pass.wanted = [&](qint64 place) { return place >= skip && (place - skip) % interval == 0; };
    pass.format = [&options](const ListRecord& record) {
        return TextFileWriter::EncodedLines(
            {LineFromRecord(record, options.fields, options.delimiter, options.mailMerge)});
    };
    pass.take = [&](qint64, QByteArrayView line) {
        writer.WriteEncoded(line);
        return true;
    };
    if (progress)
        pass.progress = [&](double done) {
            cancelled = !progress(qint64(done * double(total)), total);
            return !cancelled;
        };
    RunSelectedPass(list, pass);
    if (cancelled)
        return WriteResult::Cancelled; // the writer removes its work file
    writer.Commit();
    return WriteResult::Written;
}
