#include "app/filter_choices.h"

#include "app/messages.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/open_database.h"
#include "database/statement.h"

bool ReadFilterChoices(FilterChoices& choices) {
    std::unique_ptr<Connection> db = OpenCurrentDatabase();
    if (!db)
        return false;
    FilterChoices read;
    try {
        Statement rows = db->Prepare("SELECT ID, FilterName FROM Filter ORDER BY ID");
        while (rows.Step())
            read.filters.push_back({rows.Number(0), rows.IsNull(1) ? QString() : rows.Text(1)});
        read.currentFilter = db->QueryNumber("SELECT CurrentFilter FROM Control ORDER BY rowid");
    } catch (const EngineError& error) {
        InfoBox(error.Text());
        return false;
    }
    choices = std::move(read);
    return true;
}
