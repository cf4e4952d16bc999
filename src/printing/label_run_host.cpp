#include "printing/label_run_host.h"

LabelRunHost::~LabelRunHost() = default;
