#pragma once

#include <QString>
#include <QStringView>

// Program-wide international mode: phones and zips kept and shown as typed.
bool International();
void SetInternational(bool on);

// "Last; First" turned round for display; "&" doubled unless keepAmpersands.
QString ReverseName(const QString& name, bool keepAmpersands);
// Typed phone to stored phone (ten digits), and stored phone to shown phone.
QString PhoneDigits(const QString& text);
QString FormatPhone(const QString& stored);
// Typed zip to stored zip (nine digits, padded with "0" or "9"), and stored to shown.
QString ZipDigits(const QString& text, bool padWithNines);
QString FormatZip(const QString& stored);
// The name of a sort order code 0-8; empty for any other code.
QString SequenceName(int code);
// Operations on sixteen-character switch strings; each returns a changed copy of a.
QString SwitchesOr(const QString& a, const QString& b);
QString SwitchesAnd(const QString& a, const QString& b);
QString SwitchesNot(const QString& a);
// The text without one trailing CR LF.
QString StripTrailingLineBreak(const QString& text);

// The numeric value of the digits at the start of a text (0 when it starts otherwise).
qint64 LeadingNumber(QStringView text);
