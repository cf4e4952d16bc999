#pragma once

class LabelRunHost;
class ListCore;
struct LabelRunOptions;

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
// Problems are reported with InfoBox: "No label description available" (no usable label
// definition chosen) and "There are no records to print.".
void PrintLabels(const LabelRunOptions& options, ListCore& records, LabelRunHost& host);
