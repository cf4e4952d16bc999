#pragma once

#include "filters/context_search.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

class Connection;
class ListCore;

// Tells how far a bulk change has come: records done, records in all. Returning false asks
// the change to stop after the record in hand.
using BulkProgress = std::function<bool(qint64 done, qint64 total)>;

// The flag a conversion turns off on each record it converts.
enum class BulkFlag { Marked, Imported };

struct BulkOutcome {
    // Records of the set looked at, and records rewritten.
    qint64 visited = 0;
    qint64 changed = 0;
    // The progress handler asked to stop; the records done so far are kept.
    bool stopped = false;
    // The list could not be opened or the engine refused a write; the user has been told.
    // Whole batches written before the failure are kept, the batch in hand is not.
    bool failed = false;
};

// The loops of the bulk commands. Each walks the records of the list store's current set
// (the filter's records, or the marked or imported records after SetMarkedRecordset or
// SetImportedFlagRecordset) and changes one or two columns of each. The changes are written
// through a connection of their own in transactions of a few thousand records, each record
// by a single statement, so that a stop or a failure never leaves a record half-changed.
// batchRows 0 means the usual batch.
// The store's set is not changed; callers count again afterwards.
class BulkConversion {
public:
    explicit BulkConversion(ListCore& list, BulkProgress progress = {}, int batchRows = 0);
    ~BulkConversion();

    // Marks (import flags) to code: Code = code, the flag = 0.
    BulkOutcome WriteCode(const QString& code, BulkFlag cleared);
    // Marks (import flags) to switches: Switches = SwitchesOr(Switches, selected), flag = 0.
    BulkOutcome AddSwitches(const QString& selected, BulkFlag cleared);
    // Switches = SwitchesAnd(Switches, SwitchesNot(selected)).
    BulkOutcome TurnOffSwitches(const QString& selected);
    // Marked = 1.
    BulkOutcome MarkAll();
    // Marked = 1 where ContextMatches(field, text, invert); other records are left alone.
    BulkOutcome MarkMatches(ContextField field, const QString& text, bool invert);

    // The selected-switch string: "0000000000000000" with character i+1 set to "1" for each
    // ticked box i.
    static QString SelectedSwitches(const std::array<bool, 16>& ticked);
    // A stored switch string as sixteen characters: a short one (an empty one too) is
    // padded with "0", switches it lacks being off.
    static QString FullSwitches(const QString& stored);

private:
    struct Change;

    BulkOutcome Apply(const Change& change);
    // The IDs of the store's current set.
    std::vector<qint64> SetIds(Connection& db);
    bool Report(qint64 done, qint64 total) const;

    ListCore& m_list;
    BulkProgress m_progress;
    int m_batchRows;
};
