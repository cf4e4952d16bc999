#pragma once

#include "database/definition_store.h"

struct TemplateRecord;

// The record templates of the current list (table Template), in name order
// ("TemplateName" index). Creation opens the current list; when that fails the program
// stops with fatal error 6.
class TemplateCore : public DefinitionStore {
public:
    TemplateCore();

    using DefinitionStore::FirstRecord;
    using DefinitionStore::ID;
    using DefinitionStore::MoveUp;
    using DefinitionStore::Records;
    using DefinitionStore::SetID;

    QString TemplateName() const;
    QString Name() const;
    QString Address() const;
    QString City() const;
    QString State() const;
    QString Zip() const;
    QString EMail() const;
    QString Phone() const;
    QString Attention() const;
    QString Code() const;
    QString CarRt() const;
    QString Switches() const;
    QString Notes() const;
    int Marked() const;

    bool NewRecord(const TemplateRecord& record);
    bool UpdateRecord(const TemplateRecord& record);
    // Deletes the current template without asking.
    bool DeleteRecord();
    // Finds the first template named so (exact) or sorting at or after the name; an empty
    // table gives false without a message.
    bool MoveToName(const QString& name, bool exact);
};
