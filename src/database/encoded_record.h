#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>

struct ListRecord;

// A record's values as the list file stores them, encoded once: its texts as UTF-8 in one
// buffer, the date as stored text and empty switches as sixteen "0". Adding many records
// then binds the bytes as they are, and the encoding can be done on another thread than the
// one that writes the list.
class EncodedRecord {
public:
    // The text columns, in the order Text() numbers them.
    static constexpr int kTextColumns = 13;
    static const std::array<const char*, kTextColumns> kTextColumnNames;

    EncodedRecord() = default;
    explicit EncodedRecord(const ListRecord& record);

    QByteArrayView Text(int column) const {
        return QByteArrayView(m_bytes).sliced(m_starts[column],
                                              m_starts[column + 1] - m_starts[column]);
    }
    int Marked() const { return m_marked; }
    int Imported() const { return m_imported; }

private:
    QByteArray m_bytes;
    std::array<qsizetype, kTextColumns + 1> m_starts{};
    int m_marked = 0;
    int m_imported = 0;
};

// The switches a record is stored with: sixteen "0" for none.
QString SwitchesToStore(const ListRecord& record);
