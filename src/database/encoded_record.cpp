#include "database/encoded_record.h"

#include "database/list_record.h"
#include "database/stored_date.h"

#include <QStringEncoder>

namespace {

const QString kNoSwitches = QStringLiteral("0000000000000000");

} // namespace

const std::array<const char*, EncodedRecord::kTextColumns> EncodedRecord::kTextColumnNames = {
    "Name",      "Address", "City",  "State",    "Zip",      "EMail", "Phone",
    "Attention", "Code",    "CarRt", "LastEdit", "Switches", "Notes"};

EncodedRecord::EncodedRecord(const ListRecord& r) : m_marked(r.Marked), m_imported(r.Imported) {
    const QString lastEdit = StoredDate(r.LastEdit);
    const QString switches = SwitchesToStore(r);
    const std::array<const QString*, kTextColumns> texts = {
        &r.Name,      &r.Address, &r.City,  &r.State,  &r.Zip,    &r.EMail, &r.Phone,
        &r.Attention, &r.Code,    &r.CarRt, &lastEdit, &switches, &r.Notes};
    // One buffer large enough for any encoding of the texts, cut to what was written.
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    qsizetype room = 0;
    for (const QString* text : texts)
        room += encoder.requiredSpace(text->size());
    m_bytes.resize(room);
    char* const begin = m_bytes.data();
    char* out = begin;
    for (int column = 0; column < kTextColumns; ++column) {
        m_starts[column] = out - begin;
        out = encoder.appendToBuffer(out, *texts[column]);
    }
    m_starts[kTextColumns] = out - begin;
    m_bytes.truncate(out - begin);
}

QString SwitchesToStore(const ListRecord& record) {
    return record.Switches.trimmed().isEmpty() ? kNoSwitches : record.Switches;
}
