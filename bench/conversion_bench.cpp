#include "conversion_bench.h"

#include "database/connection.h"
#include "database/upgrade.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>

namespace {

double Time(const QString& path) {
    const auto start = std::chrono::steady_clock::now();
    UpgradeDatabase(path);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void RemoveConversionFiles(const QString& path) {
    QFile::remove(path);
    QFile::remove(UpgradeBackupFile(path));
    QFile::remove(UpgradeWorkFile(path));
}

} // namespace

double ConvertVersion1List(const QString& list) {
    // A version-1 file has its counters under the old names; the conversion reads only
    // the columns a version-1 file has, so the newer ones may stay.
    const QString copy = QFileInfo(list).absolutePath() + "/convert-v1/Old.mdb";
    QFileInfo(copy).absoluteDir().mkpath(".");
    RemoveConversionFiles(copy);
    QFile::copy(list, copy);
    {
        auto db = Connection::Open(copy);
        for (const char* table : {"Filter", "List", "SwitchNames", "Template"})
            db->Execute(QStringLiteral("ALTER TABLE \"%1\" RENAME COLUMN ID TO Number").arg(table));
        db->Execute("ALTER TABLE Labels RENAME COLUMN ID TO LNumber");
        db->Execute("UPDATE Control SET DatabaseVersion = 1");
    }
    const double seconds = Time(copy);
    RemoveConversionFiles(copy);
    return seconds;
}

double ConvertJetFixture(const QString& list) {
    QString fixtures = qEnvironmentVariable("LETTRINO_FIXTURES");
    if (fixtures.isEmpty())
        fixtures = QStringLiteral(LETTRINO_BENCH_FIXTURES);
    const QString copy = QFileInfo(list).absolutePath() + "/convert-jet/Big.mdb";
    QFileInfo(copy).absoluteDir().mkpath(".");
    RemoveConversionFiles(copy);
    if (!QFile::copy(fixtures + "/jet/big-v2.mdb", copy))
        return -1; // the fixtures are not on this machine
    const double seconds = Time(copy);
    RemoveConversionFiles(copy);
    return seconds;
}
