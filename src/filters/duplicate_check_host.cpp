#include "filters/duplicate_check_host.h"

DuplicateCheckHost::~DuplicateCheckHost() = default;
