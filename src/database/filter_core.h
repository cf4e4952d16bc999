#pragma once

#include "database/definition_store.h"

class QDate;
struct FilterRecord;

// The saved filters of the current list (table Filter), in name order ("FilterName" index)
// or ID order. Creation opens the current list; when that fails the program stops with
// fatal error 3.
class FilterCore : public DefinitionStore {
public:
    FilterCore();

    using DefinitionStore::FirstRecord;
    using DefinitionStore::ID;
    using DefinitionStore::MoveUp;
    using DefinitionStore::Records;
    using DefinitionStore::SetID;
    // "FilterName" or "ID"; anything else does nothing.
    using DefinitionStore::SetIndex;

    QString FilterName() const;
    QString StartName() const;
    QString EndName() const;
    QString StartCity() const;
    QString EndCity() const;
    QString StartState() const;
    QString EndState() const;
    QString StartZip() const;
    QString EndZip() const;
    QString StartEMail() const;
    QString EndEMail() const;
    QString StartPhone() const;
    QString EndPhone() const;
    QString StartCode() const;
    QString EndCode() const;
    QString StartCarRt() const;
    QString EndCarRt() const;
    // A null date is no bound.
    QDate StartDate() const;
    QDate EndDate() const;
    QString OrSelect() const;
    QString AndSelect() const;
    QString AndReject() const;
    QString OrReject() const;
    int Marked() const;
    int Imported() const;
    int Sequence() const;
    QString Query() const;

    // Finds the first filter named so (exact) or sorting at or after the name.
    bool MoveToName(const QString& name, bool exact);
    bool NewRecord(const FilterRecord& record);
    bool UpdateRecord(const FilterRecord& record);
    // Asks "Are you sure?" (caption "Checking") and deletes the current filter on Yes.
    bool DeleteRecord();
};
