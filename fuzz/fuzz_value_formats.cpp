// The record value formats and typed dates, on any text, in both modes.

#include "app/date_text.h"
#include "app/value_formats.h"
#include "fuzz_check.h"

#include <QDate>
#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool international = input.ConsumeBool();
    const bool flag = input.ConsumeBool();
    const int code = input.ConsumeIntegral<int>();
    const std::string first = input.ConsumeRandomLengthString(128);
    const std::string second = input.ConsumeRemainingBytesAsString();
    const QString a = QString::fromUtf8(first.data(), int(first.size()));
    const QString b = QString::fromUtf8(second.data(), int(second.size()));

    SetInternational(international);
    ReverseName(a, flag);
    const QString phone = PhoneDigits(a);
    FormatPhone(phone);
    FormatPhone(b);
    const QString zip = ZipDigits(a, flag);
    FormatZip(zip);
    FormatZip(b);
    if (!international) {
        FUZZ_CHECK(phone.size() == 10);
        FUZZ_CHECK(zip.size() == 9);
        // A stored phone and zip read back as they were stored.
        FUZZ_CHECK(PhoneDigits(FormatPhone(phone)) == phone || LeadingNumber(phone) == 0);
    } else {
        FUZZ_CHECK(zip.size() <= 10);
    }
    SequenceName(code);
    FUZZ_CHECK(SwitchesOr(a, b).size() == a.size());
    FUZZ_CHECK(SwitchesAnd(a, b).size() == a.size());
    FUZZ_CHECK(SwitchesNot(SwitchesNot(a)).size() == a.size());
    StripTrailingLineBreak(b);
    LeadingNumber(b);

    const QDate date = ReadDateText(b);
    if (date.isValid()) {
        // The medium form given back after an entry reads as the same date.
        FUZZ_CHECK(ReadDateText(MediumDate(date)) == date);
    }
    SetInternational(false);
    return 0;
}
