#include "database/definition_store.h"

#include "app/messages.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/table_cursor.h"

namespace {
bool IsIdIndex(const QString& name) {
    return name.compare("ID", Qt::CaseInsensitive) == 0;
}
} // namespace

DefinitionStore::DefinitionStore(const DefinitionKind& kind)
    : RecordStore(
          OpenOrStop(kind.fatalNumber, "Couldn't open the database in " + kind.noun + "Core"),
          kind.table),
      m_kind(kind), m_cursor(std::make_unique<TableCursor>(Statements(), Watch(), kind.table,
                                                           IndexColumn(kind.initialIndex))) {
    GuardMove([&] {
        if (m_cursor->MoveFirst())
            SetBookmark(m_cursor->Current());
        return true;
    });
}

DefinitionStore::~DefinitionStore() = default;

void DefinitionStore::ReportNoRecords() const {
    InfoBox("There are no " + m_kind.noun + " records.");
}

void DefinitionStore::ReportNoCurrentRecord() const {
    InfoBox("No current " + m_kind.noun + " record");
}

QString DefinitionStore::IndexColumn(const QString& indexName) const {
    // Index names are the names of their columns; "ID" is the table's own order.
    return IsIdIndex(indexName) ? QString() : indexName;
}

qint64 DefinitionStore::Records() {
    try {
        return m_cursor->Count();
    } catch (const EngineError& error) {
        ShowEngineError(error);
        return 0;
    }
}

void DefinitionStore::SetIndex(const QString& name) {
    for (const QString& accepted : m_kind.indexes) {
        if (accepted.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        GuardMove([&] {
            m_cursor->SetKeyColumn(IndexColumn(accepted));
            SyncCursor(*m_cursor);
            return true;
        });
        return;
    }
}

qint64 DefinitionStore::ID() const {
    return ReadNumber("ID");
}

void DefinitionStore::SetID(qint64 id) {
    GuardMove([&] {
        if (m_cursor->IsEmpty()) {
            ClearBookmark();
            ReportNoRecords();
            return false;
        }
        const bool found = m_cursor->Seek("ID", id, true);
        if (found)
            SetBookmark(m_cursor->Current());
        else
            InfoBox("Invalid ID sent to " + m_kind.noun + "Core");
        SyncCursor(*m_cursor);
        return found;
    });
}

bool DefinitionStore::FirstRecord() {
    return StepFirst(*m_cursor);
}

bool DefinitionStore::MoveUp() {
    return StepNext(*m_cursor);
}

bool DefinitionStore::FindName(const QString& name, bool exact, bool reportEmpty) {
    return GuardMove([&] {
        if (m_cursor->IsEmpty()) {
            if (reportEmpty)
                ReportNoRecords();
            return false;
        }
        m_cursor->SetKeyColumn(m_kind.nameColumn);
        if (m_cursor->Seek(m_kind.nameColumn, name, exact)) {
            SetBookmark(m_cursor->Current());
            return true;
        }
        SyncCursor(*m_cursor);
        return false;
    });
}

bool DefinitionStore::AddRow(const ColumnValues& values) {
    try {
        const qint64 id = InsertRow(values);
        m_cursor->MoveTo(id);
        SetBookmark(id);
        return true;
    } catch (const EngineError& error) {
        ShowEngineError(error);
        return false;
    }
}

bool DefinitionStore::RewriteRow(const ColumnValues& values) {
    if (!HasCurrent()) {
        ReportNoCurrentRecord();
        return false;
    }
    try {
        if (!UpdateRow(BookmarkId(), values)) {
            ReportNoCurrentRecord();
            return false;
        }
        SyncCursor(*m_cursor);
        return true;
    } catch (const EngineError& error) {
        ShowEngineError(error);
        return false;
    }
}

bool DefinitionStore::DeleteCurrentRow() {
    return DeleteCurrentAndMove(*m_cursor);
}
