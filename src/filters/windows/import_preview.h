#pragma once

#include "filters/import_export.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

// "Import Preview": before a file is imported, shows the items its columns go to (each one
// can be changed) and its first records as they will be stored; Import goes ahead with
// that mapping, Cancel stores nothing.
class ImportPreview : public QDialog {
    Q_OBJECT
public:
    ImportPreview(const QString& path, const ImportOptions& options, QWidget* parent = nullptr);

    // False when the file can't be read or is not text (nothing to preview).
    bool Readable() const { return m_plan.readable; }
    // The options to import with: the mapping as shown now.
    ImportOptions ChosenOptions() const;

    // How many records the preview shows at most.
    static constexpr int kRows = 20;

private:
    void Plan();
    void FillMapping();
    void FillRecords();
    QList<int> MappedFields() const;

    QString m_path;
    ImportOptions m_options;
    ImportPlan m_plan;
    QLabel* m_form;
    QComboBox* m_delimiterBox;
    QCheckBox* m_headerBox;
    QTableWidget* m_mapping;
    QTableWidget* m_records;
    QLabel* m_notes;
    bool m_loading = false;
};
