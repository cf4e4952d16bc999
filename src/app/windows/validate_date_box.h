#pragma once

class QLineEdit;

// Checks a text box that holds a date. An empty box passes when allowEmpty is set; a date
// is rewritten in the medium form ("07-Mar-2002") and passes; anything else gives
// "Invalid Date. Try again.", puts the focus back into the box with its text selected, and
// fails.
bool ValidateDateBox(QLineEdit* box, bool allowEmpty);
