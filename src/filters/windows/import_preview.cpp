#include "filters/windows/import_preview.h"

#include "app/clock.h"
#include "app/messages.h"
#include "app/windows/help_window.h"
#include "database/list_record.h"
#include "filters/transfer_items.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum MappingColumn { kColumnNumber, kHeading, kFirstValue, kItem };

QTableWidgetItem* ReadOnlyCell(const QString& text) {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

} // namespace

ImportPreview::ImportPreview(const QString& path, const ImportOptions& options, QWidget* parent)
    : QDialog(parent), m_path(path), m_options(options) {
    AddHelpKey(this, kHelpImportPreview);
    setWindowTitle("Import Preview");
    setObjectName("ImportPreview");
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    m_form = new QLabel(this);
    m_form->setObjectName("FormLabel");
    m_form->setWordWrap(true);
    top->addWidget(m_form, 1);
    auto* delimiterLabel = new QLabel("&Delimiter:", this);
    m_delimiterBox = new QComboBox(this);
    m_delimiterBox->setObjectName("CsvDelimiterBox");
    m_delimiterBox->addItem("Comma", int(','));
    m_delimiterBox->addItem("Semicolon", int(';'));
    m_delimiterBox->addItem("Tab", int('\t'));
    delimiterLabel->setBuddy(m_delimiterBox);
    top->addWidget(delimiterLabel);
    top->addWidget(m_delimiterBox);
    m_headerBox = new QCheckBox("First line holds column &names", this);
    m_headerBox->setObjectName("HeaderBox");
    top->addWidget(m_headerBox);
    const bool csv = options.delimiter == Delimiter::Csv;
    delimiterLabel->setVisible(csv);
    m_delimiterBox->setVisible(csv);
    m_headerBox->setVisible(csv);
    layout->addLayout(top);

    layout->addWidget(new QLabel("Columns of the file and the items they are imported as:", this));
    m_mapping = new QTableWidget(0, 4, this);
    m_mapping->setObjectName("MappingTable");
    m_mapping->setHorizontalHeaderLabels({"Column", "Heading", "First Value", "Import As"});
    m_mapping->verticalHeader()->hide();
    m_mapping->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_mapping->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_mapping, 2);

    layout->addWidget(new QLabel(
        QStringLiteral("The first %1 records as they will be stored:").arg(kRows), this));
    m_records = new QTableWidget(0, 0, this);
    m_records->setObjectName("PreviewTable");
    m_records->setWordWrap(true);
    m_records->verticalHeader()->hide();
    layout->addWidget(m_records, 3);

    m_notes = new QLabel(this);
    m_notes->setObjectName("NotesLabel");
    m_notes->setWordWrap(true);
    layout->addWidget(m_notes);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* import = buttons->addButton("&Import", QDialogButtonBox::AcceptRole);
    import->setObjectName("ImportButton");
    import->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_delimiterBox, qOverload<int>(&QComboBox::activated), this, [this] {
        m_options.csvDelimiter = char(m_delimiterBox->currentData().toInt());
        // The headings choose the items again for the columns split the new way.
        m_options.headingsChooseFields = true;
        Plan();
    });
    connect(m_headerBox, &QCheckBox::clicked, this, [this](bool header) {
        m_options.firstLine = header ? FirstLine::Header : FirstLine::Data;
        m_options.headingsChooseFields = true;
        Plan();
    });
    Plan();
    resize(980, 640);
}

void ImportPreview::Plan() {
    m_plan = PlanImport(m_path, m_options, kRows);
    if (m_plan.readable && m_options.delimiter == Delimiter::Csv)
        m_delimiterBox->setCurrentIndex(m_delimiterBox->findData(int(m_plan.csvDelimiter)));
    m_headerBox->setChecked(m_plan.header);
    QString form = m_options.delimiter == Delimiter::Csv   ? QStringLiteral("CSV")
                   : m_options.delimiter == Delimiter::Tab ? QStringLiteral("Tab")
                                                           : QStringLiteral("Quote Comma");
    if (m_plan.header)
        form += ", with a header line";
    m_form->setText(QFileInfo(m_path).fileName() + " (" + form + ")");
    FillMapping();
    FillRecords();
}

void ImportPreview::FillMapping() {
    m_loading = true;
    const int columns = std::max<int>(m_plan.columns, int(m_plan.fields.size()));
    m_mapping->setRowCount(columns);
    const QList<int> items = StandardTransferItems() + ExtraTransferItems();
    for (int column = 0; column < columns; ++column) {
        m_mapping->setItem(column, kColumnNumber, ReadOnlyCell(QString::number(column + 1)));
        m_mapping->setItem(
            column, kHeading,
            ReadOnlyCell(column < m_plan.headings.size() ? m_plan.headings.at(column) : QString()));
        // The first value the column holds, as a sample of it.
        QString first;
        for (const SourceRow& row : m_plan.rows)
            if (column < row.values.size() && !row.values.at(column).trimmed().isEmpty()) {
                first = row.values.at(column);
                break;
            }
        m_mapping->setItem(column, kFirstValue,
                           ReadOnlyCell(first.replace(QLatin1Char('\n'), QLatin1Char(' '))
                                            .replace(QLatin1Char('\r'), QString())));
        auto* box = new QComboBox(m_mapping);
        box->setObjectName(QStringLiteral("ItemBox%1").arg(column + 1));
        for (int code : items)
            box->addItem(TransferItemCaption(code), code);
        const int item =
            column < m_plan.fields.size() ? m_plan.fields.at(column) : TransferItem::Skip;
        box->setCurrentIndex(box->findData(item));
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
            if (!m_loading)
                FillRecords();
        });
        m_mapping->setCellWidget(column, kItem, box);
    }
    m_loading = false;
}

QList<int> ImportPreview::MappedFields() const {
    QList<int> fields;
    for (int column = 0; column < m_mapping->rowCount(); ++column) {
        const auto* box = qobject_cast<QComboBox*>(m_mapping->cellWidget(column, kItem));
        fields << (box ? box->currentData().toInt() : TransferItem::Skip);
    }
    return fields;
}

void ImportPreview::FillRecords() {
    const QList<int> fields = MappedFields();
    const QStringList captions = QStringList("Line") + PreviewCaptions();
    m_records->clear();
    m_records->setColumnCount(int(captions.size()));
    m_records->setHorizontalHeaderLabels(captions);
    m_records->setRowCount(int(m_plan.rows.size()));
    const QDate today = CurrentDate();
    int faults = 0;
    for (int row = 0; row < m_plan.rows.size(); ++row) {
        const SourceRow& source = m_plan.rows.at(row);
        m_records->setItem(row, 0, ReadOnlyCell(QString::number(source.line)));
        ListRecord record;
        QString reason;
        if (PlannedRecord(source, fields, today, record, reason) != LineFault::None) {
            ++faults;
            auto* cell = ReadOnlyCell("Not imported: " + reason);
            cell->setForeground(Qt::darkRed);
            m_records->setItem(row, 1, cell);
            m_records->setSpan(row, 1, 1, int(captions.size()) - 1);
            continue;
        }
        const QStringList values = PreviewValues(record);
        for (int column = 0; column < values.size(); ++column) {
            QString value = values.at(column);
            m_records->setItem(row, column + 1,
                               ReadOnlyCell(value.replace(QLatin1String("\r\n"), "\n")));
        }
    }
    m_records->resizeColumnsToContents();
    m_records->resizeRowsToContents();
    QStringList notes;
    QStringList skipped;
    for (int column = 0; column < fields.size(); ++column)
        if (fields.at(column) == TransferItem::Skip)
            skipped << (column < m_plan.headings.size() && !m_plan.headings.at(column).isEmpty()
                            ? '"' + m_plan.headings.at(column) + '"'
                            : QStringLiteral("column %1").arg(column + 1));
    if (!skipped.isEmpty())
        notes << "Not imported: " + skipped.join(", ") + ".";
    if (faults > 0)
        notes << QStringLiteral("%1 of these lines can't be imported.").arg(faults);
    m_notes->setText(notes.join(' '));
}

ImportOptions ImportPreview::ChosenOptions() const {
    ImportOptions options = m_options;
    options.fields = MappedFields();
    options.headingsChooseFields = false;
    options.csvDelimiter = m_plan.csvDelimiter;
    if (options.delimiter == Delimiter::Csv)
        options.firstLine = m_plan.header ? FirstLine::Header : FirstLine::Data;
    return options;
}
