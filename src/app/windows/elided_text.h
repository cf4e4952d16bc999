#pragma once

#include <QString>

class QAbstractButton;
class QLabel;

// Shows text on a button (a check box's caption) cut with "..." at the right to at most
// width pixels, the full text in its tool tip when it is cut, so that a long caption never
// widens its window.
void ShowElided(QAbstractButton* button, const QString& text, int width);

// Shows a file's path on a label cut with "..." in its folder part, so that the file name
// stays in sight, to the width the label has, again whenever the label is resized; the
// whole path is the label's tool tip. The label should not ask for the text's width (a
// horizontal size policy of Ignored).
void KeepPathElided(QLabel* label, const QString& path);
