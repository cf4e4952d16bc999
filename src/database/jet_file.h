#pragma once

#include "database/list_source.h"

#include <QString>
#include <memory>

// A database file of the Jet engine (Access 97 to 2019 formats), read through libmdb.
class JetFile : public ListSource {
public:
    // Nullptr when the file cannot be read as a Jet database.
    static std::unique_ptr<JetFile> Open(const QString& path);
    ~JetFile() override;

    QStringList Columns(const QString& table) override;
    void ReadRows(const QString& table, const QStringList& columns, int limit,
                  const RowHandler& handler) override;

    // A Jet date (days since 30 December 1899, the fraction the time of day) as ISO text.
    static QString DateText(double days);

private:
    struct Handle;
    explicit JetFile(std::unique_ptr<Handle> handle);
    std::unique_ptr<Handle> m_handle;
};
