#include "filters/import_export.h"

#include "app/clock.h"
#include "app/messages.h"
#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "database/selected_records.h"
#include "filters/column_headings.h"
#include "filters/import_read_ahead.h"
#include "filters/import_source.h"
#include "filters/text_file_writer.h"
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

// The most line numbers a report gives for each kind of fault.
constexpr int kFirstLinesShown = 5;

// Counts a line and keeps its number when it is among the first.
void Note(qint64& count, QList<qint64>& first, qint64 line) {
    if (++count <= kFirstLinesShown)
        first << line;
}

void NoteFault(ImportResult& result, qint64 line, const QString& reason) {
    if (++result.notImported <= kFirstLinesShown)
        result.faults << LineNote{line, reason};
}

// "1 line was" / "3 lines were", or with another verb.
QString Lines(qint64 count, const char* one = "was", const char* many = "were") {
    return count == 1 ? QStringLiteral("1 line %1").arg(QLatin1String(one))
                      : QStringLiteral("%1 lines %2").arg(count).arg(QLatin1String(many));
}

QString LineNumbers(const QList<qint64>& lines) {
    QStringList numbers;
    for (qint64 line : lines)
        numbers << QStringLiteral("line %1").arg(line);
    return numbers.join(QStringLiteral(", "));
}

// ", ..." when more lines were counted than shown.
QString More(qint64 count, qsizetype shown) {
    return count > shown ? QStringLiteral(", ...") : QString();
}

QStringList Quoted(const QStringList& texts) {
    QStringList quoted;
    for (const QString& text : texts)
        quoted << '"' + text + '"';
    return quoted;
}

// CSV: when the first record is a header, it is not a record; its headings choose the
// items unless the caller's field list stands. True when the row was a header.
bool ReadHeader(const SourceRow& row, const ImportOptions& options, QList<int>& fields,
                QStringList* unmatched) {
    if (options.delimiter != Delimiter::Csv || row.notARecord ||
        options.firstLine == FirstLine::Data ||
        (options.firstLine == FirstLine::Detect && !LooksLikeHeader(row.values)))
        return false;
    if (options.headingsChooseFields) {
        const HeadingMap map = MapHeadings(row.values);
        fields = map.fields;
        *unmatched = map.unmatched;
    } else {
        for (qsizetype column = 0; column < row.values.size(); ++column)
            if (column >= fields.size() || fields.at(column) == TransferItem::Skip)
                *unmatched << row.values.at(column);
    }
    return true;
}

} // namespace

QString NotTextMessage(const QString& path) {
    return "This is not a text file; nothing was imported.\n" + path;
}

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
    ImportOptions options;
    options.fields = fields;
    options.delimiter = delimiter;
    return ImportTextFile(path, options, progress);
}

ImportResult ImportTextFile(const QString& path, const ImportOptions& options,
                            const ProgressHandler& progress) {
    ImportResult result;
    ImportSource source(path, options.delimiter, options.csvDelimiter);
    if (!source.IsOpen()) {
        result.unreadable = true;
        InfoBox("Couldn't read the file. Reason unknown.\n" + path);
        return result;
    }
    if (!source.Survey().IsText()) {
        result.notText = true;
        InfoBox(NotTextMessage(path));
        return result;
    }
    // A store of its own on the whole table: adding in table mode runs no query again.
    ListCore list;
    if (ListIsReadOnly()) {
        result.failed = true;
        InfoBox("File is locked or write protected\n" + CurrentListSetting());
        return result;
    }
    QList<int> fields = options.fields;
    SourceRow first;
    bool haveFirst = source.Next(first);
    if (haveFirst && ReadHeader(first, options, fields, &result.skippedColumns))
        haveFirst = false;
    qint64 lastLine = 0;
    qint64 rows = 0;
    // What a failure leaves: the records of the batches committed, and the first line of
    // the batch that is rolled back (0 while no record waits in an open batch).
    qint64 committed = 0;
    qint64 firstPendingLine = 0;
    try {
        // Large batches: a commit waits for the disk, and a stop keeps the rows added so
        // far whatever the batch size.
        list.UseLargeCache();
        auto batch = list.BeginBatch(kImportBatchRows);
        ImportReadAhead reader(source, fields, CurrentDate(), haveFirst ? &first : nullptr);
        std::vector<PreparedRow> ready;
        while (!result.cancelled && reader.Next(ready)) {
            for (const PreparedRow& row : ready) {
                lastLine = row.line;
                if (row.badBytes)
                    Note(result.badByteLines, result.firstBadByteLines, row.line);
                if (row.fault != LineFault::None) {
                    result.invalidLines = result.invalidLines || row.fault == LineFault::NotARecord;
                    NoteFault(result, row.line, row.reason);
                    continue;
                }
                if (row.shortLine)
                    Note(result.shortLines, result.firstShortLines, row.line);
                if (list.AppendRecord(row.encoded)) {
                    ++result.added;
                    if (batch->RowsInBatch() == 0) {
                        committed = result.added;
                        firstPendingLine = 0;
                    } else if (firstPendingLine == 0) {
                        firstPendingLine = row.line;
                    }
                } else {
                    ++result.refused;
                    NoteFault(result, row.line, QStringLiteral("refused by the list"));
                }
                if (progress && ++rows % 256 == 0 && !progress(row.bytesRead, source.Size())) {
                    result.cancelled = true;
                    break;
                }
            }
        }
        batch->Commit(); // the rows added so far; throws when the list can't take them
    } catch (const EngineError& error) {
        // The open batch is rolled back; the batches committed before it stay. The user is
        // told the records the list kept and the first line that is not in it, from which
        // the import can be run again without losing a record.
        result.failed = true;
        result.added = committed;
        if (firstPendingLine > 0)
            lastLine = firstPendingLine;
        // A list another copy of the program is writing, or one that can't be written after
        // all (its folder refuses the journal), gets the same words as a write-protected one.
        const QString text = error.Number() == JetError::FileLocked
                                 ? "File is locked or write protected\n" + CurrentListSetting()
                                 : error.Text();
        InfoBox(lastLine > 0
                    ? QStringLiteral("%1\nThe import stopped at line %2.").arg(text).arg(lastLine)
                    : text);
        return result;
    }
    result.blankLines = source.BlankLines();
    return result;
}

QString ImportReportText(const ImportResult& result) {
    QStringList lines;
    if (result.invalidLines)
        lines << QStringLiteral("Invalid input file.");
    lines << (result.added == 1 ? QStringLiteral("1 record was imported.")
                                : QStringLiteral("%1 records were imported.").arg(result.added));
    if (result.notImported > 0) {
        QStringList first;
        for (const LineNote& note : result.faults)
            first << QStringLiteral("line %1 (%2)").arg(note.line).arg(note.reason);
        lines << QStringLiteral("%1 not imported: %2%3")
                     .arg(Lines(result.notImported), first.join(QStringLiteral(", ")),
                          More(result.notImported, result.faults.size()));
    }
    if (result.badByteLines > 0)
        lines << QStringLiteral("%1 characters that are not UTF-8 (shown as \uFFFD): %2%3")
                     .arg(Lines(result.badByteLines, "held", "held"),
                          LineNumbers(result.firstBadByteLines),
                          More(result.badByteLines, result.firstBadByteLines.size()));
    if (result.shortLines > 0)
        lines << QStringLiteral("%1 fewer fields than the list, the items after them left "
                                "empty: %2%3")
                     .arg(Lines(result.shortLines, "had", "had"),
                          LineNumbers(result.firstShortLines),
                          More(result.shortLines, result.firstShortLines.size()));
    if (!result.skippedColumns.isEmpty())
        lines << QStringLiteral("Columns not imported: %1")
                     .arg(Quoted(result.skippedColumns).join(QStringLiteral(", ")));
    return lines.join(QLatin1Char('\n'));
}

ImportPlan PlanImport(const QString& path, const ImportOptions& options, int rows) {
    ImportPlan plan;
    ImportSource source(path, options.delimiter, options.csvDelimiter);
    if (!source.IsOpen() || !source.Survey().IsText())
        return plan;
    plan.readable = true;
    plan.csvDelimiter = options.delimiter == Delimiter::Csv ? source.CsvDelimiter() : 0;
    plan.fields = options.fields;
    SourceRow row;
    bool haveRow = source.Next(row);
    if (haveRow && ReadHeader(row, options, plan.fields, &plan.unmatched)) {
        plan.header = true;
        plan.headings = row.values;
        plan.columns = int(row.values.size());
        haveRow = source.Next(row);
    }
    for (; haveRow && plan.rows.size() < rows; haveRow = source.Next(row)) {
        plan.columns = std::max(plan.columns, int(row.values.size()));
        plan.rows << row;
    }
    return plan;
}

QStringList PreviewCaptions() {
    return {"Name",
            "Address",
            "City",
            "State",
            "Zip Code",
            "E-Mail Address",
            "Phone",
            "Attention Line",
            "Code",
            "Carrier Route",
            "Switches",
            "Notes",
            "Date of Last Edit"};
}

QStringList PreviewValues(const ListRecord& r) {
    return {r.Name,
            r.Address,
            r.City,
            r.State,
            r.Zip,
            r.EMail,
            r.Phone,
            r.Attention,
            r.Code,
            r.CarRt,
            r.Switches.isEmpty() ? QStringLiteral("0000000000000000") : r.Switches,
            r.Notes,
            r.LastEdit.toString(Qt::ISODate)};
}

LineFault PlannedRecord(const SourceRow& row, const QList<int>& fields, const QDate& today,
                        ListRecord& record, QString& reason) {
    PreparedRow prepared = ImportReadAhead::Prepare(row, fields, today);
    record = prepared.record;
    reason = prepared.reason;
    return prepared.fault;
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
    if (options.delimiter == Delimiter::Csv) {
        // The byte-order mark makes spreadsheets open the file as UTF-8 without asking, and
        // the header names the columns.
        writer.WriteEncoded("\xEF\xBB\xBF");
        if (!options.mailMerge)
            writer.WriteLine(CsvHeader(options.fields));
    }
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
