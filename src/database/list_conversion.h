#pragma once

#include <QString>

class ListSource;

// Writes a fresh list file of the current format at target, holding every row of the
// source list. A version-1 source has its counter columns under their old names ("Number",
// "LNumber") and lacks the carrier-route and delivery-point columns; every row keeps its
// number so that the control row's references stay valid, and columns only the current
// format has are left empty. A version-2 source is copied column for column. Throws
// EngineError when a table or an expected column cannot be read or written.
void ConvertList(ListSource& source, int sourceVersion, const QString& target);
