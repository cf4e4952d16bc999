#pragma once

#include <QString>
#include <limits>
#include <vector>

class PrinterObject;
struct ListRecord;

// The elements an address block on a label is made of, by the codes the label window keeps
// in its layout.
enum LabelElement {
    kNameElement = 0,
    kAddressElement = 1,
    kAttentionElement = 2,
    kCodeElement = 3,
    kCarrierRouteElement = 4,
    kZipElement = 5, // offered only in international mode
};

// The caption the label window lists an element under ("Name", "Carrier Route"...).
QString LabelElementCaption(int code);
// The elements offered for a layout: Name, Address, AttentionLine, Code, Carrier Route,
// and in international mode also Zip Code.
std::vector<int> AvailableLabelElements(bool international);
// The layout every opening of the label window starts from: Name, Address.
std::vector<int> DefaultLabelLayout();
// True when an attention line stands anywhere but first in the layout: it is then printed
// as "Attn: " and the text.
bool AttentionPrefixed(const std::vector<int>& layout);

// The block followed by CR LF when it is not empty; an empty block unchanged.
QString AppendLine(const QString& block);
// The address block of a record for a layout: one line (or, for the street address, as
// many lines as it holds) per element, separated by CR LF. Composition follows the
// international mode of the program.
QString ComposeAddressBlock(const ListRecord& record, const std::vector<int>& layout,
                            bool attentionPrefixed);
// True when the block has anything to print; a block of blanks and line breaks takes no
// label.
bool BlockHasText(const QString& block);

// The room a block may print in, in twips: no line reaches past right, and no line's
// bottom below bottom. Unbounded unless given.
struct BlockRoom {
    double right = std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
};

// Where a printed block ended: the vertical position after its last printed line, and
// whether its room made it leave anything out.
struct PrintedBlock {
    double y = 0;
    bool cut = false;
};

// Prints the block, trimmed of leading and trailing spaces, with its top left at (x, y),
// each line starting at x, in the printer's font at the type size taken to whole points.
// A line too wide for the room is cut as FitToWidth cuts it; the lines from the first one
// that would end below the room's bottom are left out. Leaving out lines that are blank
// does not count as cutting the block.
PrintedBlock PrintLabelBlock(PrinterObject& printer, double x, double y, double typeSize,
                             const QString& block, const BlockRoom& room = {});
