#pragma once

#include <QString>
#include <memory>

class Connection;

// Finds, upgrades, opens and validates the current list (the "CurrentDatabase" setting).
// On success the caller owns the open connection; on failure the result is empty and the
// user has been told why.
std::unique_ptr<Connection> OpenCurrentDatabase();
