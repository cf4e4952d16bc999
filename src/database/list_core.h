#pragma once

#include "database/record_store.h"

#include <QString>
#include <memory>
#include <vector>

class EncodedRecord;
class KeysetCursor;
class QDate;
class RecordCursor;
class TableCursor;
struct ListRecord;

// The address records of the current list (table List): the one class through which the
// program reads, searches, adds, changes and deletes them.
//
// The store works on one of two sets. In table mode (after creation, and after
// SetCurrentFilter without a current filter) the set is the whole table in name order, or
// in ID order after SetIndex("ID"); moves and the name search are index look-ups and rows
// changed through other stores are seen at once. In query mode (a filter, the ZIP-and-name
// order, the marked or the imported records) the set is the rows of a query in the query's
// order, collected when the query runs; searches find the first row of the set that
// matches.
//
// Creation opens the current list; when that fails the program stops with fatal error 4.
class ListCore : public RecordStore {
public:
    ListCore();
    ~ListCore() override;

    // The number of records in the current set.
    qint64 Records();
    // The number of marked records in the whole list, whatever the set.
    qint64 MarkedRecordCount();
    // Table mode only: "ID" or "Name" selects the order; other names do nothing.
    void SetIndex(const QString& name);
    qint64 ID() const;
    // Makes the record with that ID current; "Invalid ID sent to ListCore" when the set has
    // none, with the current record unchanged.
    void SetID(qint64 id);

    // The current record's columns. Without a current record: "No current List record"
    // and an empty value (0, empty text, null date). Writes store the value at once.
    int Marked() const;
    void SetMarked(int value);
    int Imported() const;
    void SetImported(int value);
    QString Code() const;
    void SetCode(const QString& value);
    QString CarRt() const;
    void SetCarRt(const QString& value);
    QString Switches() const;
    void SetSwitches(const QString& value);
    QString DPOverride() const;
    void SetDPOverride(const QString& value);
    QString Name() const;
    QString Address() const;
    QString City() const;
    QString State() const;
    QString Zip() const;
    QString EMail() const;
    QString Phone() const;
    QString Attention() const;
    void SetAttention(const QString& value);
    QDate LastEdit() const;
    QString Notes() const;

    // Moves. An empty set gives "There are no List records." and false; MoveUp past the
    // last record (MoveDown before the first) stands on the last (first) and gives false.
    bool FirstRecord();
    bool LastRecord();
    bool MoveUp();
    bool MoveDown();

    // Searches for the first record whose column equals the value (exact) or is at least
    // the value, compared without case; the value is used as typed. Found: it becomes
    // current. Not found: the current record stays and the result is false. In table mode
    // only the name search works; the others give false at once.
    bool MoveToName(const QString& value, bool exact);
    bool MoveToCity(const QString& value, bool exact);
    bool MoveToState(const QString& value, bool exact);
    bool MoveToZip(const QString& value, bool exact);
    bool MoveToEMail(const QString& value, bool exact);
    bool MoveToPhone(const QString& value, bool exact);
    bool MoveToCode(const QString& value, bool exact);
    bool MoveToCarRt(const QString& value, bool exact);
    bool MoveToEditDate(const QDate& date, bool exact);

    // Adds a record and makes it current. Empty switches are stored as sixteen "0". In
    // query mode the query runs again and the first record with the new record's sort
    // value becomes current; when the query does not select the new record, the record
    // itself stays current (CurrentOutsideSet) until the store moves.
    bool NewRecord(const ListRecord& record);
    // True while the current record is a new one that the set does not select.
    bool CurrentOutsideSet() const;
    // Adds a record as NewRecord does but leaves the store where it stands (the set is not
    // read again), for adding many records at once. A record whose values the engine
    // refuses is told and gives false; a failure of the file itself throws EngineError.
    bool AppendRecord(const ListRecord& record);
    // The same for a record encoded beforehand (the fastest way to add many).
    bool AppendRecord(const EncodedRecord& record);
    // Rewrites the current record (switches as given).
    bool UpdateRecord(const ListRecord& record);
    // Deletes the current record without asking and stands on the next one (or the last).
    bool DeleteRecord();
    // Deletes every record of the current set.
    void DeleteRecordset();
    // Clears the mark (import flag) of every record of the list (all) or of the set.
    void ResetMarks(bool all);
    void ResetImportFlags(bool all);

    // Switch the set to a query. The current record is not changed; callers position the
    // store before reading.
    void SetZipNameSort();
    void SetMarkedRecordset();
    void SetImportedFlagRecordset();
    // Applies the list's current filter and stands on its first record; without a current
    // filter the set is the whole list in name order. A corrupt filter (its query refused,
    // failing or stopped) is reported and stops being the current filter; the set is then
    // the whole list for a browsing store, and empty for any other.
    void SetCurrentFilter();
    // A store that browses (the main window's, the grid's) falls back to the whole list.
    void SetBrowsing(bool browsing) { m_browsing = browsing; }

    void ReportNoRecords() const override;
    void ReportNoCurrentRecord() const override;

    bool Filtered() const { return m_query != nullptr; }
    // The IDs of the query's rows in the set's order; null in table mode.
    const std::vector<qint64>* QueryIds() const;
    // The sort code of the applied filter (0-8); 0 without one.
    int SortSequence() const { return m_sortSequence; }

private:
    RecordCursor& Set() const;
    bool SetIsEmpty();
    bool Search(const QString& column, const QVariant& value, bool exact);
    bool SearchQueryMode(const QString& column, const QVariant& value, bool exact);
    // Replaces the set by the rows of a query; engine errors are thrown.
    void OpenQuery(const QString& sql);
    void OpenTableByName();
    bool ApplyFilter(qint64 filterId);
    void ResetFlag(const QString& column, bool all);
    bool RowExists(qint64 id);

    std::unique_ptr<TableCursor> m_table;
    std::unique_ptr<KeysetCursor> m_query;
    int m_sortSequence = 0;
    qint64 m_outsideId = 0;
    bool m_browsing = false;
};

// True once a corrupt filter has been told in this process (a command line run then fails).
bool CorruptFilterTold();

// Chooses the filter (0: none) for the next SetCurrentFilter of any store in this process,
// which makes it the list's current filter only once its query has run: a filter whose
// query fails, is refused or is stopped never becomes current (so it can't hold up the
// next start).
void ChooseFilterOnceItRuns(qint64 filterId);
