#pragma once

#include <QtGlobal>

class LabelCore;
class LabelRunHost;
class ListCore;
class PrinterObject;
struct LabelRecord;
struct LabelRunOptions;

// The values of the label store's current definition.
LabelRecord CurrentLabelRecord(const LabelCore& labels);
// Reads the label definition with that ID; false when there is none.
bool ReadLabelDefinition(qint64 id, LabelRecord& label);

// Prints mailing labels on the current printer for every record of the list store's current
// record set, in the set's order: the record's address block (see ComposeAddressBlock) at
// the next label position of the sheet, under its bar code when one is chosen (the block
// then starts 0.2 inch lower, bars or not). Each record fills labelsPerRecord consecutive
// positions; a record with nothing to print takes none. Positions run down each column,
// then across; only the first sheet starts at the chosen start position.
//
// When a sheet is full (also after the last record) the next sheet begins: a new page, or,
// with stop-between-sheets, the document is handed to the printer and the host asks
// whether to go on (Cancel ends the run; Print All goes on without asking again). A stop
// request is honoured at the end of a sheet: the document is thrown away. The host gets
// the user interface's turn after every record and at every sheet end.
//
// With Intelligent Mail barcodes every label takes the next serial number of the settings,
// and the number after the run is stored. The barcode of every label is made before
// anything is printed: incomplete settings, or a record whose barcode cannot be made, stop
// the run with a message (naming the record), and a run that reaches the largest serial
// number goes ahead only when the user says Yes.
//
// Nothing printed leaves its label's text area (see LabelSheet::TextArea): a line too wide
// is cut, the lines of a block too tall for it are left out, and a barcode wider than the
// label still starts at its left edge. At the end of the run the host is told, once, how
// many labels were cut and which records (the first few) they were for.
//
// The definition printed with is options.definition when it holds one, else the stored one
// of options.labelId.
//
// Problems are reported with InfoBox: "No label description available" (no usable label
// definition chosen) and "There are no records to print.".
void PrintLabels(const LabelRunOptions& options, ListCore& records, LabelRunHost& host);
// The same run on the printer given rather than the current one. On a printer that shows
// its pages on screen (a preview) the run uses nothing up: the Intelligent Mail serial
// numbers stay as they are, and passing the largest is not asked about.
void PrintLabels(const LabelRunOptions& options, ListCore& records, LabelRunHost& host,
                 PrinterObject& printer);
