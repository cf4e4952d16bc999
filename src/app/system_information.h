#pragma once

#include <QString>
#include <QStringList>

// The desktop's system-information programs, in the order they are looked for.
QStringList SystemInformationPrograms();
// The full path of the first of them found on the PATH; empty when none is installed.
QString FindSystemInformationProgram();
// Starts that program on its own; false when none is installed or it could not be started.
bool StartSystemInformation();
