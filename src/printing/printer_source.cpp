#include "printing/printer_source.h"

PrinterSource::~PrinterSource() = default;
