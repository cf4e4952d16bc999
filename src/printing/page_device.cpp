#include "printing/page_device.h"

PageDevice::~PageDevice() = default;
