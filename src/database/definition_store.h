#pragma once

#include "database/record_store.h"

#include <QStringList>
#include <memory>

class TableCursor;

// What sets one definition store apart from another: its table, the word its messages use,
// the indexes it offers and its fatal stop when the list cannot be opened.
struct DefinitionKind {
    QString table;        // "Filter"
    QString noun;         // "Filter": "There are no Filter records."
    QString nameColumn;   // the column searched by name; empty for none
    QString initialIndex; // the index selected at creation
    QStringList indexes;  // the index names Index accepts
    int fatalNumber;      // fatal stop when the list cannot be opened (message names the
                          // store: "Couldn't open the database in FilterCore")
};

// The pattern shared by the filter, label, template and switch-name stores: the whole table
// in the order of an index, a current row, the moves, the search by name, and adding,
// rewriting and deleting rows. Each store exposes the members it offers.
class DefinitionStore : public RecordStore {
public:
    ~DefinitionStore() override;

    void ReportNoRecords() const override;
    void ReportNoCurrentRecord() const override;

protected:
    explicit DefinitionStore(const DefinitionKind& kind);

    qint64 Records();
    // Selects one of the accepted indexes and stands on the current row again; any other
    // name does nothing.
    void SetIndex(const QString& name);
    qint64 ID() const;
    // Makes the row with that ID current; "Invalid ID sent to ...Core" when none has it.
    void SetID(qint64 id);
    bool FirstRecord();
    bool MoveUp();
    // Finds by name on the name index, which stays selected. reportEmpty: an empty table
    // says so.
    bool FindName(const QString& name, bool exact, bool reportEmpty);
    // Adds a row and makes it current; engine errors are shown and give false with the
    // current row unchanged.
    bool AddRow(const ColumnValues& values);
    // Rewrites the current row; without one, ReportNoCurrentRecord and false.
    bool RewriteRow(const ColumnValues& values);
    // Deletes the current row without asking.
    bool DeleteCurrentRow();

    const DefinitionKind& Kind() const { return m_kind; }

private:
    QString IndexColumn(const QString& indexName) const;

    DefinitionKind m_kind;
    std::unique_ptr<TableCursor> m_cursor;
};
