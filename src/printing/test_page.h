#pragma once

class PrinterObject;

// The printer test page: a scale up the bottom 3000 twips of the printable area from which
// the page limit can be read. A mark every 100 twips, 100 twips long; every 500 twips a mark
// 200 long, every 1000 one 300 long, each of these labelled with its height (" 500",
// " 1000"...) ending 100 twips left of the marks, which start at x = 5460. A frame one dot
// wide runs just inside the edges of the printable area, captioned "Printable area" at its
// top left, so that the sheet shows where the printer can print. Printed in the
// program-wide printer font at 8 points as a run of its own.
void PrintTestPage(PrinterObject& printer);
