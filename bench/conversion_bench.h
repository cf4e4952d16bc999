#pragma once

#include <QString>

// Conversion of older list files when they are opened: a version-1 copy of the generated
// list, and the 20,000-record Jet fixture. Each returns the seconds the conversion took.
double ConvertVersion1List(const QString& list);
double ConvertJetFixture(const QString& list);
