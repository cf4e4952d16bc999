// A list file damaged in many ways (cut short, pages zeroed, pages overwritten with noise)
// goes through the open and its repair. Whatever a row-by-row read of the damaged file can
// still reach must be in the repaired list, the damaged file must be kept byte for byte,
// and nothing may crash.

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/open_database.h"
#include "database/repair.h"
#include "database/schema.h"
#include "database/statement.h"
#include "support/test_environment.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <map>
#include <random>

namespace {

const QString kMayBeCorrupt = "The database may be corrupt. Click OK to attempt recovery";
const QString kCantRepair = "The database is corrupt. Can't repair. Bring forward your backup.";
const QString kNotAList = " is not a valid Lettrino mailing list. Please open a different one.";
constexpr int kRecords = 1500;

using Row = QVariantList;

// The rows of List that can be read one by one, by their numbers, from a file as it
// stands; a row whose read fails is stepped over.
struct ReadableRows {
    bool control = false;
    std::map<qint64, Row> rows;
};

ReadableRows ReadRowByRow(const QString& path) {
    ReadableRows result;
    std::unique_ptr<Connection> db;
    try {
        db = Connection::Open(path, Connection::Mode::Salvage);
        result.control = db->QueryText("SELECT Identification FROM Control") == "Tessavane";
    } catch (const EngineError&) {
    }
    if (!db)
        return result;
    std::unique_ptr<Statement> one;
    try {
        one = std::make_unique<Statement>(db->Prepare("SELECT * FROM List WHERE ID = ?"));
    } catch (const EngineError&) {
        return result; // the catalogue is unreadable
    }
    for (qint64 id = 1; id <= kRecords; ++id) {
        try {
            one->Reset();
            one->Bind(1, id);
            if (!one->Step())
                continue;
            Row row;
            for (int c = 0; c < one->ColumnCount(); ++c)
                row << one->Value(c);
            if (row.value(0).toLongLong() == id)
                result.rows[id] = row;
        } catch (const EngineError&) {
        }
    }
    return result;
}

class DamagedList : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = Path("Club.mdb");
        MakeFilledList();
        m_whole = ReadBytes(m_path);
        m_original = ReadRowByRow(m_path);
        ASSERT_EQ(m_original.rows.size(), size_t(kRecords));
        auto db = Connection::Open(m_path, Connection::Mode::ReadOnly);
        m_pageSize = int(db->QueryNumber("PRAGMA page_size"));
        m_pages = m_whole.size() / m_pageSize;
        ASSERT_GT(m_pages, 60);
    }

    // Records of different lengths, so that rows spread unevenly over the pages, with a
    // few long notes that run onto overflow pages.
    void MakeFilledList() {
        MakeList("Club.mdb");
        auto db = Connection::Open(m_path);
        Transaction transaction(*db);
        db->Execute("UPDATE SwitchNames SET Name = 'Switch ' || ID");
        Statement insert = db->Prepare(
            "INSERT INTO List (Name, Address, City, State, Zip, Switches, Notes, Marked) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        std::mt19937 random(7);
        for (int i = 1; i <= kRecords; ++i) {
            const int noteLength = i % 97 == 0 ? 9000 : int(random() % 300);
            insert.Bind(1, QStringLiteral("Member %1, Pat").arg(i, 5, 10, QLatin1Char('0')));
            insert.Bind(2, QStringLiteral("%1 Elm Street").arg(i * 7));
            insert.Bind(3, "Springfield");
            insert.Bind(4, "IL");
            insert.Bind(5, QStringLiteral("%1").arg(62700 + i % 90));
            insert.Bind(6, QStringLiteral("%1").arg(i % 65536, 16, 2, QLatin1Char('0')));
            insert.Bind(7, QString(noteLength, QLatin1Char('a' + i % 26)));
            insert.Bind(8, i % 2);
            insert.Run();
        }
        transaction.Commit();
    }

    // Writes the damaged bytes over the list (and nothing else in the folder), runs the
    // open and, when the open did not see the damage, the repair on its own; then checks
    // what the repair kept.
    void Check(const QString& variant, const QByteArray& damaged) {
        SCOPED_TRACE(variant.toStdString());
        for (const QString& name : QDir(m_dir->path()).entryList(QDir::Files))
            QFile::remove(Path(name));
        WriteBytes(m_path, damaged);
        const ReadableRows before = ReadRowByRow(m_path);
        ++m_variants;

        SetCurrentList(m_path);
        QString keptAs;
        bool repaired = false;
        {
            auto db = OpenCurrentDatabase();
            if (damaged.isEmpty()) {
                // An empty file is no list at all: refused and left as it is.
                EXPECT_EQ(db, nullptr);
                m_dialogs->ExpectMessage(m_path + kNotAList);
                EXPECT_EQ(ReadBytes(m_path), damaged);
                ++m_beyondRepair;
                return;
            }
            if (!m_dialogs->NoMessagesLeft()) {
                m_dialogs->ExpectMessage(kMayBeCorrupt);
                if (!db) {
                    // Only a file without a readable control row is beyond repair, and
                    // then it stays exactly as it was, alone in its folder.
                    m_dialogs->ExpectMessage(kCantRepair);
                    EXPECT_FALSE(before.control);
                    EXPECT_EQ(ReadBytes(m_path), damaged);
                    EXPECT_EQ(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"Club.mdb"});
                    ++m_beyondRepair;
                    return;
                }
                const QStringList kept =
                    QDir(m_dir->path()).entryList({"Club (damaged *).mdb"}, QDir::Files);
                ASSERT_EQ(kept.size(), 1);
                keptAs = Path(kept.first());
                m_dialogs->ExpectMessage(
                    "The list was repaired. The damaged original was kept as " + keptAs + ".");
                repaired = true;
            } else {
                ASSERT_NE(db, nullptr);
            }
        }
        if (!repaired) {
            // The open reads only the control row; damage elsewhere shows later, and the
            // repair must handle it just the same.
            ASSERT_EQ(RepairListFile(m_path, &keptAs), before.control);
            if (!before.control) {
                EXPECT_EQ(ReadBytes(m_path), damaged);
                ++m_beyondRepair;
                return;
            }
        }
        EXPECT_EQ(ReadBytes(keptAs), damaged);

        auto db = Connection::Open(m_path, Connection::Mode::ReadOnly);
        EXPECT_EQ(db->QueryText("PRAGMA integrity_check"), "ok");
        EXPECT_EQ(db->QueryText("SELECT Identification FROM Control"), "Tessavane");
        const ReadableRows after = ReadRowByRow(m_path);
        for (const auto& [id, row] : before.rows) {
            const auto found = after.rows.find(id);
            ASSERT_NE(found, after.rows.end()) << "row " << id << " was readable but is lost";
            // Rows the damage left intact are kept exactly.
            if (row == m_original.rows.at(id)) {
                EXPECT_EQ(found->second, row) << "row " << id;
            }
        }
        EXPECT_LE(after.rows.size(), size_t(kRecords));
        m_rowsReadable += before.rows.size();
        m_rowsKept += after.rows.size();
    }

    QByteArray WithPage(int page, const std::function<void(char*, int)>& damage) const {
        QByteArray bytes = m_whole;
        damage(bytes.data() + qint64(page - 1) * m_pageSize, m_pageSize);
        return bytes;
    }

    void TearDown() override {
        if (m_variants > 0)
            std::printf("  %d variants: %lld rows readable, %lld kept, %d beyond repair\n",
                        m_variants, m_rowsReadable, m_rowsKept, m_beyondRepair);
        LettrinoTest::TearDown();
    }

    QString m_path;
    QByteArray m_whole;
    ReadableRows m_original;
    int m_pageSize = 0;
    int m_pages = 0;
    int m_variants = 0;
    int m_beyondRepair = 0;
    long long m_rowsReadable = 0;
    long long m_rowsKept = 0;
};

} // namespace

TEST_F(DamagedList, CutShortAtAnyLengthKeepsEveryRowBeforeTheCut) {
    // Cut inside the header, on page boundaries and inside pages, all through the file.
    std::vector<qint64> lengths = {0, 50, 99, 100, 1000, m_pageSize, m_pageSize + 1};
    for (int page = 2; page < m_pages; page += m_pages / 12)
        lengths.insert(lengths.end(),
                       {qint64(page) * m_pageSize, qint64(page) * m_pageSize + m_pageSize / 3});
    lengths.push_back(m_whole.size() - 1);
    for (const qint64 length : lengths)
        Check(QStringLiteral("cut to %1 bytes").arg(length), m_whole.left(int(length)));
}

TEST_F(DamagedList, ZeroFilledPagesLoseOnlyTheRowsOnThem) {
    auto zero = [](char* page, int size) { std::fill(page, page + size, '\0'); };
    for (int page = 1; page <= m_pages; page += page < 6 ? 1 : 7)
        Check(QStringLiteral("page %1 zeroed").arg(page), WithPage(page, zero));
    // A run of pages, and every fourth page of the second half of the file.
    QByteArray run = m_whole;
    std::fill(run.begin() + 20 * m_pageSize, run.begin() + 28 * m_pageSize, '\0');
    Check("pages 21 to 28 zeroed", run);
    QByteArray scattered = m_whole;
    for (int page = m_pages / 2; page <= m_pages; page += 4)
        std::fill(scattered.begin() + qint64(page - 1) * m_pageSize,
                  scattered.begin() + qint64(page) * m_pageSize, '\0');
    Check("every fourth page of the second half zeroed", scattered);
}

TEST_F(DamagedList, PagesOverwrittenWithNoiseNeverCrashTheRepair) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        QByteArray bytes = m_whole;
        const int damagedPages = 1 + int(random() % 3);
        for (int n = 0; n < damagedPages; ++n) {
            // Page 1 holds the header and the catalogue; it is hit now and then.
            const int page = seed % 10 == 0 ? 1 : 2 + int(random() % (m_pages - 1));
            char* start = bytes.data() + qint64(page - 1) * m_pageSize;
            // A whole page of noise, or a short run of noise inside a page that otherwise
            // still looks right.
            const bool whole = random() % 2 == 0;
            const int length = whole ? m_pageSize : 1 + int(random() % 64);
            const int offset = whole ? 0 : int(random() % (m_pageSize - length));
            for (int i = 0; i < length; ++i)
                start[offset + i] = char(random());
        }
        Check(QStringLiteral("seed %1").arg(seed), bytes);
    }
}

using DamagedLargeList = LettrinoTest;

TEST_F(DamagedLargeList, CutAnywhereInItsSecondHalfKeepsEveryRowThatCanBeRead) {
    // A list deep enough for interior pages, with notes long enough for overflow pages:
    // when a cut takes the end of the table, rows a scan can't reach may still be read one
    // by one, and the repair must keep every one of them.
    const QString path = Path("Big.mdb");
    {
        auto db = Connection::Open(path, Connection::Mode::Create);
        CreateSchema(*db);
        Transaction transaction(*db);
        db->Execute("INSERT INTO Control (Identification, DatabaseVersion) VALUES "
                    "('Tessavane', 2)");
        db->Execute("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < "
                    "20000) INSERT INTO List (Name, Address, Notes) SELECT printf('Member %05d', "
                    "(x * 7919) % 20000), printf('%d Elm Street', x), printf('%.*c', "
                    "CASE WHEN x % 97 = 0 THEN 6000 ELSE x % 300 END, 'n') FROM n");
        transaction.Commit();
    }
    const QByteArray whole = ReadBytes(path);
    for (int percent = 50; percent <= 95; percent += 9) {
        SCOPED_TRACE(percent);
        WriteBytes(path, whole.left(whole.size() * percent / 100));
        qint64 readable = 0;
        {
            auto damaged = Connection::Open(path, Connection::Mode::Salvage);
            Statement one = damaged->Prepare("SELECT * FROM List WHERE ID = ?");
            for (qint64 id = 1; id <= 20000; ++id) {
                try {
                    one.Reset();
                    one.Bind(1, id);
                    readable += one.Step() && one.Number(0) == id ? 1 : 0;
                } catch (const EngineError&) {
                }
            }
        }
        QString kept;
        ASSERT_TRUE(RepairListFile(path, &kept));
        QFile::remove(kept);
        EXPECT_EQ(Connection::Open(path)->QueryNumber("SELECT count(*) FROM List"), readable);
    }
}
