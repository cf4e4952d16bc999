#pragma once

class QComboBox;

// Fills a filter box with "<None>" (item data 0) and the current list's filters (item data
// their ID), in table order, and selects the list's current filter. Leaves the box as it
// was when the list cannot be read.
void FillFilterBox(QComboBox* box);
