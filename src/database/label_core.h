#pragma once

#include "database/definition_store.h"

struct LabelRecord;

// The label layouts of the current list (table Labels), in ID order. Creation opens the
// current list; when that fails the program stops with fatal error 2.
class LabelCore : public DefinitionStore {
public:
    LabelCore();

    using DefinitionStore::FirstRecord;
    using DefinitionStore::ID;
    using DefinitionStore::MoveUp;
    using DefinitionStore::Records;
    using DefinitionStore::SetID;
    // "ID" selects ID order. The list file has no "LName" index, so that name (like any
    // other) changes nothing.
    using DefinitionStore::SetIndex;

    QString LName() const;
    float LRows() const;
    float LCols() const;
    float IndentTop() const;
    float IndentLeft() const;
    float RowDelta() const;
    float ColDelta() const;
    float LTypeSize() const;

    bool NewRecord(const LabelRecord& record);
    bool UpdateRecord(const LabelRecord& record);
    // The last remaining layout is never deleted: with one layout or none the result is
    // false without a question. Otherwise asks "Are you sure?" (caption "Checking").
    bool DeleteRecord();
};
