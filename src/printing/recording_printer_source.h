#pragma once

#include "printing/printer_source.h"

// Installed printers made of recording printers, for tests: the given device names, in
// order, the first of them (or the one named) being the system's default.
class RecordingPrinterSource : public PrinterSource {
public:
    explicit RecordingPrinterSource(const QStringList& names,
                                    const QString& defaultName = QString());

    QStringList DeviceNames() const override { return m_names; }
    QString DefaultDeviceName() const override { return m_default; }
    std::unique_ptr<PrinterObject> Create(const QString& deviceName) const override;

    // The fonts the printers made from now on list.
    void SetFonts(const QStringList& fonts) { m_fonts = fonts; }

private:
    QStringList m_names;
    QString m_default;
    QStringList m_fonts;
};
