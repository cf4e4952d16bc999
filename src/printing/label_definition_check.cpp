#include "printing/label_definition_check.h"

#include "database/label_record.h"

#include <QRegularExpression>

double NumericValue(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*([-+]?(\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

QString CheckLabelDefinition(const LabelDefinitionTexts& texts) {
    if (texts.name.trimmed().isEmpty())
        return QStringLiteral("You must enter a name for this label type");
    if (NumericValue(texts.rows) == 0)
        return QStringLiteral("You must enter the number of rows for this label sheet");
    if (NumericValue(texts.columns) == 0)
        return QStringLiteral("You must enter the number of columns for this label sheet");
    if (NumericValue(texts.rowDelta) == 0)
        return QStringLiteral("You must enter the height of a label");
    if (NumericValue(texts.columns) > 1 && NumericValue(texts.columnDelta) == 0)
        return QStringLiteral("You must enter the width of a label");
    if (NumericValue(texts.typeSize) == 0)
        return QStringLiteral("You must enter the type size to use with the label");
    return QString();
}

LabelRecord LabelFromTexts(const LabelDefinitionTexts& texts) {
    LabelRecord label;
    label.LName = texts.name;
    label.LRows = float(NumericValue(texts.rows));
    label.LCols = float(NumericValue(texts.columns));
    label.IndentTop = float(NumericValue(texts.indentTop));
    label.IndentLeft = float(NumericValue(texts.indentLeft));
    label.RowDelta = float(NumericValue(texts.rowDelta));
    label.ColDelta = float(NumericValue(texts.columnDelta));
    label.LTypeSize = float(NumericValue(texts.typeSize));
    return label;
}

QString LabelNumberText(float value) {
    // Seven significant digits are what a single-precision number holds.
    return QString::number(double(value), 'g', 7);
}
