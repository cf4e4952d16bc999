#pragma once

#include "printing/intelligent_mail.h"
#include "printing/intelligent_mail_settings.h"

// The Intelligent Mail barcodes of one label run, label after label: each label takes the
// next serial number, and after the largest one the numbers start again at 0.
class IntelligentMailLabels {
public:
    // settings are expected to have passed CheckIntelligentMailSettings.
    explicit IntelligentMailLabels(const IntelligentMailSettings& settings);

    // The bars of the next label, for a record with that zip, street address and
    // delivery-point override. False, with the encoder's reason, when they cannot be made;
    // the serial number is then not taken.
    bool Next(const QString& zip, const QString& address, const QString& dpOverride, ImbBars& bars,
              QString& error);

    // The serial number the label after the last one takes.
    qint64 NextSerial() const { return m_serial; }
    // True once the serial numbers have passed the largest and started again.
    bool Wrapped() const { return m_wrapped; }
    qint64 LargestSerial() const;

private:
    IntelligentMailSettings m_settings;
    qint64 m_serial;
    bool m_wrapped = false;
};
