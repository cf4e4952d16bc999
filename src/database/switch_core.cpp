#include "database/switch_core.h"

SwitchCore::SwitchCore() : DefinitionStore({"SwitchNames", "Switch", QString(), "ID", {}, 5}) {}

QString SwitchCore::SwitchName() const {
    return ReadText("Name");
}

void SwitchCore::SetSwitchName(const QString& name) {
    WriteColumn("Name", name);
}
