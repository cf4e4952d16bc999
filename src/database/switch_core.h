#pragma once

#include "database/definition_store.h"

// The names of the sixteen switches (table SwitchNames, row n names switch n), in ID
// order. Creation opens the current list; when that fails the program stops with fatal
// error 5.
class SwitchCore : public DefinitionStore {
public:
    SwitchCore();

    using DefinitionStore::FirstRecord;
    using DefinitionStore::ID;
    using DefinitionStore::MoveUp;
    using DefinitionStore::Records;
    using DefinitionStore::SetID;

    QString SwitchName() const;
    // Renames the current switch at once.
    void SetSwitchName(const QString& name);
};
