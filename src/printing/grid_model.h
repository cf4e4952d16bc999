#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class ListCore;
class QFont;
struct ListRecord;

// How the grid measures its texts: column widths, the height of one line and the width of a
// text, all in twips.
struct GridMetrics {
    std::array<double, 4> columnWidths{};
    // What a cell's margins take from its column's width for the text.
    double cellMargin = 0;
    double lineHeight = 0;
    std::function<double(const QString&)> textWidth;

    // The column widths for the normal or the large screen: Name, Address, EMail, Phone.
    static std::array<double, 4> ColumnWidths(bool largeScreen);
    // Metrics of a font on a screen of the given dots per inch. The font is measured a
    // quarter point larger than it is, so that measurements err on the large side.
    static GridMetrics ForFont(const QFont& font, double dotsPerInch, bool largeScreen);
};

// One row of the grid: the cell texts and the lines the tallest of them needs.
struct GridRow {
    QString name;
    QString address;
    QString email;
    QString phone;
    int lines = 1;
};

// The address cell: the address as one line, then ", " + city, ", " + state and " " + zip
// for those that are not blank. A record without an address gets an empty cell, whatever
// its city, state and zip.
QString GridAddressText(const ListRecord& record);
// The e-mail cell: an address wider than its column (with 60 twips to spare) gets a space
// before its last "." so that the cell can wrap there.
QString GridEMailText(const QString& email, const GridMetrics& metrics);
GridRow MakeGridRow(const ListRecord& record, const GridMetrics& metrics);

// The records of the list store's current set as a read-only table of Name, Address, EMail
// and Phone. Rows are read from the store as the view reaches them, a chunk at a time
// (canFetchMore/fetchMore), so that a filter of any size opens at once; each row's height
// is known when it arrives.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kChunk = 200;

    GridModel(ListCore& records, const GridMetrics& metrics, QObject* parent = nullptr);

    // Applies the current filter to the store and starts again from its first record.
    void Fill();
    // The number of records in the set (rows not yet read included).
    qint64 TotalRecords() const { return m_total; }
    const GridRow& Row(int row) const { return m_rows.at(size_t(row)); }
    // The height a row needs, in twips: 0 for one line (the grid's own row height), else
    // the lines times the line height plus 50 twips.
    double RowHeight(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    ListCore& m_records;
    GridMetrics m_metrics;
    std::vector<GridRow> m_rows;
    qint64 m_total = 0;
    bool m_started = false;
    bool m_atEnd = true;
};
