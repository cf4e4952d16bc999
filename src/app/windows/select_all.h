#pragma once

class QLineEdit;
class QPlainTextEdit;

// Selects the box's whole text, leaving the caret at its end.
void SelectAll(QLineEdit* box);
void SelectAll(QPlainTextEdit* box);
