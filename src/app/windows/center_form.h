#pragma once

class QWidget;

// Moves the window so that it stands in the middle of its screen.
void CenterForm(QWidget* window);
