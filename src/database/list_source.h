#pragma once

#include <QStringList>
#include <QVariantList>
#include <functional>

// A list file being read for conversion, whatever engine wrote it. Values come as Qt
// variants: texts as strings, whole numbers as qint64, Single columns as double, dates as
// ISO text ("yyyy-MM-dd", with " HH:mm:ss" when there is a time of day).
class ListSource {
public:
    using RowHandler = std::function<void(const QVariantList& values)>;

    virtual ~ListSource();
    // The columns of a table; empty when the table is not there.
    virtual QStringList Columns(const QString& table) = 0;
    // Calls handler for each row of the table in stored order, with the values of the
    // named columns, until the handler has had limit rows (-1: all). Throws EngineError.
    virtual void ReadRows(const QString& table, const QStringList& columns, int limit,
                          const RowHandler& handler) = 0;
};
