// Delivery-point digits of any zip, address and override.

#include "fuzz_check.h"
#include "printing/delivery_point_values.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string zip = input.ConsumeRandomLengthString(16);
    const std::string typed = input.ConsumeRandomLengthString(8);
    const std::string address = input.ConsumeRemainingBytesAsString();

    const QString cleaned = CleanDeliveryPointOverride(QString::fromUtf8(typed.c_str()));
    const QString dpOverride = ValidDeliveryPointOverride(cleaned) ? cleaned : QString();
    const DeliveryPointValues values =
        ComputeDeliveryPoint(QString::fromUtf8(zip.data(), int(zip.size())),
                             QString::fromUtf8(address.data(), int(address.size())), dpOverride);
    FUZZ_CHECK(values.checkDigit.size() <= 1);
    if (dpOverride.size() == 2 && zip.size() == 9 &&
        zip.find_first_not_of("0123456789") == std::string::npos)
        FUZZ_CHECK(values.deliveryPoint == dpOverride);
    return 0;
}
