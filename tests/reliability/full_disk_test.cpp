// Text files and backups written into a folder that fills up: a small file system of its
// own (tmpfs), with little or no room left. Each command tells "Not enough space on the
// destination disk", claims no success, and leaves no partial file: a file that was there
// keeps its contents.

#include "reliability/reliability_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <sys/statvfs.h>

namespace {

bool RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

class FullDisk : public ReliabilityTest {
protected:
    void SetUp() override {
        ReliabilityTest::SetUp();
        m_full = Path("full");
        QDir().mkpath(m_full);
        m_mounted = RunTool("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", m_full});
        if (!m_mounted)
            GTEST_SKIP() << "Skipped: a small file system can't be mounted here (mount needs "
                            "root and the right to mount); the full disk can't be made.";
        m_list = MakeFilledList("Club.mdb", 2000);
    }
    void TearDown() override {
        if (m_mounted)
            RunTool("umount", {m_full});
        ReliabilityTest::TearDown();
    }

    // Fills the small file system so that `room` bytes are left.
    void LeaveRoom(qint64 room) {
        QFile::remove(m_full + "/filler");
        struct statvfs info;
        ASSERT_EQ(::statvfs(QFile::encodeName(m_full).constData(), &info), 0);
        const qint64 free = qint64(info.f_bavail) * qint64(info.f_frsize);
        QFile filler(m_full + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        filler.write(QByteArray(int(std::max<qint64>(0, free - room)), 'x'));
        filler.close();
    }

    // Runs the command with the room given, over a file that was there before.
    void ExpectFullDisk(const QString& label, const QStringList& command, const QString& target) {
        int told = 0;
        for (qint64 room : {qint64(0), qint64(4096), qint64(64 * 1024)}) {
            SCOPED_TRACE(QStringLiteral("%1 bytes left").arg(room).toStdString());
            QFile::remove(m_full + "/filler");
            WriteBytes(target, "the file that was there\r\n");
            LeaveRoom(room);
            const CliResult result = Run(QStringList{"--yes", "--list", m_list} + command);
            EXPECT_EQ(result.exitCode, 1) << result.out.toStdString();
            EXPECT_TRUE(result.err.contains("Not enough space on the destination disk"))
                << result.err.toStdString();
            told += result.err.contains("Not enough space on the destination disk") ? 1 : 0;
            EXPECT_EQ(ReadBytes(target), QByteArray("the file that was there\r\n"));
            QStringList left = QDir(m_full).entryList(QDir::Files | QDir::Hidden);
            left.removeOne("filler");
            EXPECT_EQ(left, QStringList{QFileInfo(target).fileName()})
                << left.join(", ").toStdString();
        }
        ReportFigure(label, "full disk with 0, 4 KiB and 64 KiB left",
                     QStringLiteral("%1 of 3 told \"Not enough space on the destination disk\", "
                                    "the earlier file kept, no partial file")
                         .arg(told));
    }

    bool m_mounted = false;
    QString m_full;
    QString m_list;
};

TEST_F(FullDisk, AnExportTellsTheFullDiskAndKeepsTheEarlierFile) {
    const QString target = m_full + "/export.txt";
    ExpectFullDisk("Export (2,000 records)", {"export", target}, target);
}

TEST_F(FullDisk, AMailMergeFileTellsTheFullDisk) {
    const QString target = m_full + "/merge.txt";
    ExpectFullDisk("Mail merge data file (2,000 records)", {"export", target, "--mail-merge"},
                   target);
}

TEST_F(FullDisk, TheTextReportTellsTheFullDisk) {
    const QString target = m_full + "/report.txt";
    ExpectFullDisk("Text report (2,000 records)", {"report", target, "--kind", "text"}, target);
}

TEST_F(FullDisk, ABackupTellsTheFullDisk) {
    const QString target = m_full + "/CLUB.MDB";
    ExpectFullDisk("Backup (2,000 records)", {"backup", target}, target);
}

} // namespace
