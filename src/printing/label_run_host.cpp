#include "printing/label_run_host.h"

#include "app/messages.h"

LabelRunHost::~LabelRunHost() = default;

void LabelRunHost::Notify(const QString& text) {
    InfoBox(text);
}
