#include "support/test_environment.h"

#include "app/settings.h"
#include "app/value_formats.h"
#include "database/connection.h"
#include "database/current_record.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "database/new_database.h"
#include "database/statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

void LettrinoTest::SetUp() {
    m_dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_dir->isValid());
    QDir().mkpath(Path("config"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Path("config"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Path("config"));
    ForgetCurrentListOfProcess();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    Dialogs::Install(m_dialogs.get());
    SetInternational(false);
}

void LettrinoTest::TearDown() {
    Dialogs::Install(nullptr);
    m_dialogs.reset();
    SetInternational(false);
    m_dir.reset();
}

QString LettrinoTest::Path(const QString& name) const {
    return m_dir->filePath(name);
}

QString LettrinoTest::FixtureFolder() {
    const QStringList candidates = {qEnvironmentVariable("LETTRINO_FIXTURES"),
                                    QStringLiteral(LETTRINO_FIXTURES_DIR),
                                    QStringLiteral("/work/shared/fixtures")};
    for (const QString& folder : candidates)
        if (!folder.isEmpty() && QFileInfo(folder + "/jet/README.md").exists())
            return folder;
    return QString();
}

QString LettrinoTest::CopyFixture(const QString& relative, const QString& name) const {
    const QString folder = FixtureFolder();
    if (folder.isEmpty())
        return QString();
    const QString target = Path(name.isEmpty() ? QFileInfo(relative).fileName() : name);
    QFile::remove(target);
    if (!QFile::copy(folder + "/" + relative, target))
        return QString();
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QString LettrinoTest::MakeList(const QString& name, bool current) {
    const QString path = Path(name);
    SaveCurrentListSetting("NO--DB");
    EXPECT_TRUE(CreateNewDatabase(path));
    auto connection = Connection::Open(path);
    // One transaction: a commit per row would make every test wait for the disk.
    Transaction rows(*connection);
    connection->Execute("INSERT INTO Control (Identification, DatabaseVersion, "
                        "CurrentTemplate, CurrentFilter, CurrentLabel) "
                        "VALUES ('Tessavane', 2, 0, 0, 0)");
    for (int i = 1; i <= 16; ++i)
        connection->Execute(
            QStringLiteral("INSERT INTO SwitchNames (ID, Name) VALUES (%1, '')").arg(i));
    rows.Commit();
    if (current)
        SetCurrentList(path);
    return path;
}

void LettrinoTest::SetCurrentList(const QString& path) {
    SaveCurrentListSetting(path);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

std::vector<ListRecord> StoredRecords() {
    std::vector<ListRecord> records;
    ListCore store;
    store.SetIndex("ID");
    if (store.Records() == 0)
        return records;
    store.FirstRecord();
    do {
        records.push_back(CurrentListRecord(store));
    } while (store.MoveUp());
    return records;
}
