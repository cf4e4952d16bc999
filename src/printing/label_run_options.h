#pragma once

#include "database/label_record.h"

#include <QtGlobal>
#include <optional>
#include <vector>

// The bar code printed above each address block: the indexes of the label window's
// barcode choices, the four POSTNET ones and the Intelligent Mail barcode.
enum BarcodeChoice {
    kNoBarcode = 0,
    kZip5Barcode = 1,
    kZip9Barcode = 2,
    kDeliveryPointBarcode = 3,
    kIntelligentMailBarcode = 4,
};

// What the label window hands to a printing run.
struct LabelRunOptions {
    qint64 labelId = 0;                    // the label definition; 0 for none
    std::optional<LabelRecord> definition; // printed with instead of labelId, unsaved
    std::vector<int> layout;               // element codes of the address block, top to bottom
    int startRow = 1;                      // first label position on the first sheet, from 1
    int startColumn = 1;
    int labelsPerRecord = 1;           // consecutive labels each record fills
    int barcode = kNoBarcode;          // a BarcodeChoice
    bool previewDeliveryPoint = false; // delivery-point digits printed as text
    bool stopBetweenSheets = false;    // ask before every further sheet
};
