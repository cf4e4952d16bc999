#include "printing/intelligent_mail_labels.h"

IntelligentMailLabels::IntelligentMailLabels(const IntelligentMailSettings& settings)
    : m_settings(settings), m_serial(settings.nextSerial) {}

bool IntelligentMailLabels::Next(const QString& zip, const QString& address,
                                 const QString& dpOverride, ImbBars& bars, QString& error) {
    const QString routing =
        ImbRoutingCode(zip, address, dpOverride, m_settings.deliveryPointRouting);
    if (!EncodeIntelligentMail(ImbTrackingCode(m_settings, m_serial), routing, bars, error))
        return false;
    m_serial = FollowingSerial(m_serial, m_settings.mailerId);
    if (m_serial == 0)
        m_wrapped = true;
    return true;
}

qint64 IntelligentMailLabels::LargestSerial() const {
    return ::LargestSerial(m_settings.mailerId);
}
