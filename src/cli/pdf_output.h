#pragma once

#include "printing/printer_source.h"

#include <QString>
#include <QStringList>

class PdfFileDevice;

// Printing to one PDF file named in advance: while it lives, the current printer is a
// "PDF file" printer that writes to that path (no file dialog), with the printer settings
// (font name, page limit) applied as the program applies them at start-up. Afterwards the
// printers are back to their initial state.
class PdfOutput : public PrinterSource {
public:
    explicit PdfOutput(const QString& path);
    ~PdfOutput() override;
    PdfOutput(const PdfOutput&) = delete;
    PdfOutput& operator=(const PdfOutput&) = delete;

    QStringList DeviceNames() const override { return {m_deviceName}; }
    QString DefaultDeviceName() const override { return m_deviceName; }
    std::unique_ptr<PrinterObject> Create(const QString& deviceName) const override;

    // The files written completely by the last run (the first is the path).
    QStringList WrittenFiles() const;

private:
    QString m_path;
    QString m_deviceName;
    mutable PdfFileDevice* m_device = nullptr;
};
