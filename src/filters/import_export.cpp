#include "filters/import_export.h"

#include "app/messages.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "filters/text_file_writer.h"
#include "filters/text_line_reader.h"
#include "filters/transfer_items.h"

#include <QDate>
#include <cmath>

namespace {

ListRecord CurrentRecord(const ListCore& list) {
    ListRecord r;
    r.Name = list.Name();
    r.Address = list.Address();
    r.City = list.City();
    r.State = list.State();
    r.Zip = list.Zip();
    r.EMail = list.EMail();
    r.Phone = list.Phone();
    r.Attention = list.Attention();
    r.Code = list.Code();
    r.CarRt = list.CarRt();
    r.LastEdit = list.LastEdit();
    r.Switches = list.Switches();
    r.Notes = list.Notes();
    r.Marked = list.Marked();
    r.Imported = list.Imported();
    return r;
}

} // namespace

double NthSelectValue(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::nearbyint(value) : 0; // the default rounding mode rounds half to even
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
    const QDate today = QDate::currentDate();
    auto batch = list.BeginBatch();
    QString line;
    qint64 number = 0;
    while (reader.ReadLine(line)) {
        ++number;
        ListRecord record;
        if (!RecordFromLine(line, fields, delimiter, today, record)) {
            result.invalidLine = number;
            break;
        }
        if (list.NewRecord(record))
            ++result.added;
        else
            ++result.refused;
        if (progress && number % 256 == 0 && !progress(reader.BytesRead(), reader.Size())) {
            result.cancelled = true;
            break;
        }
    }
    batch.reset(); // commits the rows added so far
    if (result.invalidLine > 0)
        InfoBox(QStringLiteral("Invalid input file.\nLine %1").arg(result.invalidLine));
    return result;
}

WriteResult WriteDelimitedFile(const QString& path, const ExportOptions& options,
                               const ProgressHandler& progress) {
    ListCore list;
    list.SetCurrentFilter();
    const qint64 total = list.Records();
    if (total < 1)
        return WriteResult::NoRecords;
    TextFileWriter writer(path);
    if (options.mailMerge)
        writer.WriteLine(MailMergeHeader(options.fields, options.delimiter));
    const qint64 interval = options.interval > 0 ? qint64(options.interval) : 1;
    list.FirstRecord();
    bool more = true;
    qint64 position = 0;
    for (qint64 i = 0; i < qint64(options.skip) && more; ++i) {
        more = list.MoveUp();
        position += more ? 1 : 0;
    }
    while (true) {
        writer.WriteLine(LineFromRecord(CurrentRecord(list), options.fields, options.delimiter,
                                        options.mailMerge));
        for (qint64 i = 0; i < interval && more; ++i) {
            more = list.MoveUp();
            position += more ? 1 : 0;
        }
        if (!more)
            break;
        if (progress && !progress(position, total))
            return WriteResult::Cancelled; // the writer removes its work file
    }
    writer.Commit();
    return WriteResult::Written;
}
