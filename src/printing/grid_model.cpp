#include "printing/grid_model.h"

#include "app/value_formats.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/report_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kEMailSpare = 60;
constexpr double kRowSpare = 50;

// The lines a text of that width needs in a column, a part line counting whole.
int LinesFor(double width, double column) {
    return column > 0 ? int(std::ceil(width / column)) : 1;
}

// The fields a grid row shows.
ListRecord GridRecord(const ListCore& records) {
    ListRecord record;
    record.Name = records.Name();
    record.Address = records.Address();
    record.City = records.City();
    record.State = records.State();
    record.Zip = records.Zip();
    record.EMail = records.EMail();
    record.Phone = records.Phone();
    return record;
}

} // namespace

std::array<double, 4> GridMetrics::ColumnWidths(bool largeScreen) {
    if (largeScreen)
        return {3138, 4043, 2585, 1563};
    return {2490, 3200, 2000, 1240};
}

GridMetrics GridMetrics::ForFont(const QFont& font, double dotsPerInch, bool largeScreen) {
    QFont measured = font;
    measured.setPointSizeF(font.pointSizeF() + 0.25);
    const QFontMetricsF fontMetrics(measured);
    const double twipsPerPixel = kTwipsPerInch / dotsPerInch;
    GridMetrics metrics;
    metrics.columnWidths = ColumnWidths(largeScreen);
    metrics.lineHeight = fontMetrics.lineSpacing() * twipsPerPixel;
    metrics.textWidth = [fontMetrics, twipsPerPixel](const QString& text) {
        return fontMetrics.horizontalAdvance(text) * twipsPerPixel;
    };
    return metrics;
}

QString GridAddressText(const ListRecord& record) {
    if (record.Address.trimmed().isEmpty())
        return QString();
    QString text = JoinLines(record.Address);
    if (!record.City.trimmed().isEmpty())
        text += ", " + record.City.trimmed();
    if (!record.State.trimmed().isEmpty())
        text += ", " + record.State.trimmed();
    const QString zip = FormatZip(record.Zip);
    if (!zip.isEmpty())
        text += " " + zip;
    return text;
}

QString GridEMailText(const QString& email, const GridMetrics& metrics) {
    QString text = email;
    if (metrics.textWidth(text) + kEMailSpare > metrics.columnWidths[2] - metrics.cellMargin) {
        const int dot = text.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            text.insert(dot, QLatin1Char(' '));
    }
    return text;
}

GridRow MakeGridRow(const ListRecord& record, const GridMetrics& metrics) {
    GridRow row;
    row.name = record.Name.trimmed();
    row.address = GridAddressText(record);
    row.email = GridEMailText(record.EMail, metrics);
    row.phone = FormatPhone(record.Phone);
    const auto width = [&metrics](int column) {
        return metrics.columnWidths[size_t(column)] - metrics.cellMargin;
    };
    row.lines = std::max({LinesFor(metrics.textWidth(row.name), width(0)),
                          LinesFor(metrics.textWidth(row.address), width(1)),
                          LinesFor(metrics.textWidth(row.email) + kEMailSpare, width(2)), 1});
    return row;
}

GridModel::GridModel(ListCore& records, const GridMetrics& metrics, QObject* parent)
    : QAbstractTableModel(parent), m_records(records), m_metrics(metrics) {}

void GridModel::Fill() {
    beginResetModel();
    m_records.SetCurrentFilter();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_total = m_records.Records();
    m_started = false;
    m_atEnd = m_total == 0;
    endResetModel();
    fetchMore(QModelIndex());
}

double GridModel::RowHeight(int row) const {
    const int lines = Row(row).lines;
    return lines > 1 ? m_metrics.lineHeight * lines + kRowSpare : 0;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
    if (role != Qt::DisplayRole)
        return QVariant();
    const GridRow& row = Row(index.row());
    switch (index.column()) {
    case 0:
        return row.name;
    case 1:
        return row.address;
    case 2:
        return row.email;
    case 3:
        return row.phone;
    default:
        return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const headings[] = {"Name", "Address", "EMail", "Phone"};
    return section >= 0 && section < 4 ? QString::fromLatin1(headings[section]) : QVariant();
}

bool GridModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !m_atEnd;
}

void GridModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || m_atEnd)
        return;
    std::vector<GridRow> rows;
    rows.reserve(kChunk);
    while (int(rows.size()) < kChunk) {
        const bool found = m_started ? m_records.MoveUp() : m_records.FirstRecord();
        m_started = true;
        if (!found) {
            m_atEnd = true;
            break;
        }
        rows.push_back(MakeGridRow(GridRecord(m_records), m_metrics));
    }
    if (rows.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(rows.size()) - 1);
    std::move(rows.begin(), rows.end(), std::back_inserter(m_rows));
    endInsertRows();
}
