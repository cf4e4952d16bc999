#pragma once

#include "support/qt_print.h"
#include "support/scripted_dialogs.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

struct ListRecord;

// Every test gets its own temporary folder, its own settings file (nothing touches the
// user's home), the scripted dialogs and the normal (not international) mode.
class LettrinoTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A path inside the test's folder.
    QString Path(const QString& name) const;
    // A copy of a shared fixture file in the test's folder; empty when the fixtures are
    // not on this machine.
    QString CopyFixture(const QString& relative, const QString& name = QString()) const;
    // Makes a valid empty list file (control row, sixteen switch names) and, when current
    // is set, makes it the current list.
    QString MakeList(const QString& name = "Test.mdb", bool current = true);
    void SetCurrentList(const QString& path);

    static QString FixtureFolder();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

// Reads a file's bytes (empty when it cannot be read).
QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// Every record of the current list, in the order they were added (by ID).
std::vector<ListRecord> StoredRecords();
