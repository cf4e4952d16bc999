#include "app/switch_names.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/open_database.h"
#include "database/statement.h"
#include "database/switch_core.h"

namespace {
SwitchNameArray g_switchNames;
} // namespace

const SwitchNameArray& SwitchNames() {
    return g_switchNames;
}

void LoadSwitchNames() {
    std::unique_ptr<Connection> db = OpenCurrentDatabase();
    if (!db)
        return;
    SwitchNameArray names;
    try {
        Statement rows = db->Prepare("SELECT Name FROM SwitchNames ORDER BY ID LIMIT 16");
        for (QString& name : names) {
            if (!rows.Step())
                break;
            name = rows.IsNull(0) ? QString() : rows.Text(0);
        }
    } catch (const EngineError&) {
        // A table that cannot be read leaves the names that could be read.
    }
    g_switchNames = names;
}

void SetSwitchName(int index, const QString& name) {
    if (index >= 0 && index < int(g_switchNames.size()))
        g_switchNames[size_t(index)] = name;
}

void SaveSwitchNames() {
    SwitchCore store;
    if (!store.FirstRecord())
        return;
    for (const QString& name : g_switchNames) {
        store.SetSwitchName(name);
        if (!store.MoveUp())
            break;
    }
}
