// Writes that fail part-way: a file system that reports a full disk or an I/O error from
// the N-th write, flush or truncation on, for every N over the whole command. Each failure
// ends in the program's message for the case, and the list is unchanged or completely
// changed (whole batches, for the bulk commands).

#include "reliability/fault_vfs.h"
#include "reliability/reliability_fixture.h"

#include "app/list_file_texts.h"
#include "app/messages.h"
#include "database/engine_error.h"
#include "database/list_core.h"
#include "database/list_file_operations.h"
#include "database/list_record.h"
#include "filters/bulk_conversion.h"
#include "filters/import_export.h"
#include "filters/transfer_items.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

struct Fault {
    int code;
    const char* name;
};
const Fault kFaults[] = {{SQLITE_FULL, "disk full"}, {SQLITE_IOERR_WRITE, "I/O error"}};

class IoFaults : public ReliabilityTest {
protected:
    void SetUp() override {
        ReliabilityTest::SetUp();
        m_list = MakeFilledList("Faults.mdb", kRecords);
        m_pristine = Path("Pristine.mdb");
        QFile::copy(m_list, m_pristine);
        m_before = Dump(m_list);
        SetCurrentList(m_list);
        m_vfs = std::make_unique<FaultVfs>();
    }
    void TearDown() override {
        m_vfs.reset();
        ReliabilityTest::TearDown();
    }

    void Restore() {
        for (const char* suffix : {"", "-journal"})
            QFile::remove(m_list + suffix);
        QFile::copy(m_pristine, m_list);
    }

    // The message the program gives for the fault: the engine's number and description for
    // the stores, the compaction's own text for compaction.
    static bool MessageFits(const QString& message, int code) {
        if (code == SQLITE_FULL)
            return message.startsWith("61 ") || message.startsWith("Disk drive is full.");
        return message.contains("disk I/O error");
    }

    // Runs the command once without faults to count its writes, then once for every N of
    // a sweep over them with writes failing from the N-th on; `failed` tells whether the
    // command reported a failure, and check looks at the list after the fault has gone.
    void Sweep(const QString& label, const std::function<bool()>& command,
               const std::function<void(bool failed)>& check) {
        for (const Fault& fault : kFaults) {
            SCOPED_TRACE(fault.name);
            Restore();
            m_vfs->FailFrom(0, SQLITE_OK);
            ASSERT_FALSE(command());
            const long total = m_vfs->Count();
            ASSERT_GT(total, 0);
            while (!m_dialogs->NoMessagesLeft())
                m_dialogs->TakeMessage();
            // Every N while there are few, else 40 spread evenly with both ends; and one N
            // past the end, where nothing fails.
            std::vector<long> points;
            const long spread = std::min<long>(total, 40);
            for (long i = 0; i < spread; ++i)
                points.push_back(spread == 1 ? 1 : 1 + (total - 1) * i / (spread - 1));
            points.push_back(total + 1);
            int failures = 0;
            for (long n : points) {
                SCOPED_TRACE(
                    QStringLiteral("writes fail from %1 of %2").arg(n).arg(total).toStdString());
                Restore();
                m_vfs->FailFrom(n, fault.code);
                const bool failed = command();
                m_vfs->Disarm();
                if (failed) {
                    ++failures;
                    const QString message = m_dialogs->TakeMessage().text;
                    EXPECT_TRUE(MessageFits(message, fault.code)) << message.toStdString();
                } else {
                    EXPECT_EQ(m_vfs->Failed(), 0) << "a failed write was reported as success";
                }
                while (!m_dialogs->NoMessagesLeft())
                    ADD_FAILURE() << "more: " << m_dialogs->TakeMessage().text.toStdString();
                QString report;
                ASSERT_TRUE(ListIsSound(m_list, &report)) << report.toStdString();
                check(failed);
            }
            ReportFigure(label,
                         QStringLiteral("%1 from each of %2 points over %3 writes")
                             .arg(fault.name)
                             .arg(points.size() - 1)
                             .arg(total),
                         QStringLiteral("%1 failures told, list unchanged or complete each time")
                             .arg(failures));
        }
    }

    static constexpr int kRecords = 1500;
    QString m_list;
    QString m_pristine;
    QStringList m_before;
    std::unique_ptr<FaultVfs> m_vfs;
};

TEST_F(IoFaults, AnImportAddsAllItsRowsOrNone) {
    QByteArray lines;
    for (int n = 1; n <= 3000; ++n)
        lines += QStringLiteral("\"Imported %1\",\"Town\"\r\n").arg(n).toUtf8();
    const QString file = Path("lines.txt");
    WriteBytes(file, lines);
    ImportResult result;
    Sweep(
        "Import of 3,000 lines",
        [&] {
            result = ImportTextFile(file, {TransferItem::Name, TransferItem::City},
                                    Delimiter::QuoteComma);
            return result.failed;
        },
        [&](bool failed) {
            const QStringList count = Rows(m_list, "SELECT count(*) FROM List");
            EXPECT_EQ(count, QStringList{QString::number(failed ? kRecords : kRecords + 3000)});
            // The records told as imported are those the list kept, never the rolled back.
            EXPECT_EQ(result.added, failed ? 0 : 3000);
        });
}

TEST_F(IoFaults, ABulkConversionConvertsEveryRecordOrNone) {
    Sweep(
        "Bulk conversion of 1,500 records",
        [&] {
            ListCore list;
            list.SetMarkedRecordset();
            return BulkConversion(list).WriteCode("CONVERTED", BulkFlag::Marked).failed;
        },
        [&](bool failed) {
            const QStringList converted =
                Rows(m_list, "SELECT count(*) FROM List WHERE Code = 'CONVERTED' AND Marked = 0");
            EXPECT_EQ(converted, QStringList{QString::number(failed ? 0 : kRecords)});
            if (failed) {
                EXPECT_EQ(Dump(m_list), m_before);
            }
        });
}

TEST_F(IoFaults, ACompactionLeavesTheListAsItWas) {
    const QByteArray bytes = ReadBytes(m_list);
    Sweep(
        "Compaction of a list of 1,500 records",
        [&] {
            try {
                CompactListFile(m_list);
                return false;
            } catch (const EngineError& error) {
                SorryBox(CompactFailureText(error));
                return true;
            }
        },
        [&](bool failed) {
            if (failed) {
                EXPECT_EQ(ReadBytes(m_list), bytes);
            }
            EXPECT_EQ(Dump(m_list), m_before);
            EXPECT_TRUE(QFileInfo(m_list).dir().entryList({"*.tmp"}, QDir::Files).isEmpty());
        });
}

TEST_F(IoFaults, ASavedRecordIsStoredWholeOrNotAtAll) {
    ListRecord saved;
    saved.Name = "Saved; Sam";
    saved.Address = "1 New Road";
    saved.City = "Newtown";
    saved.State = "IL";
    saved.Zip = "606010000";
    saved.Code = "SAVED";
    saved.Switches = "1111000000000000";
    saved.LastEdit = QDate(2026, 4, 1);
    const QStringList old = Rows(m_list, "SELECT * FROM List WHERE ID = 1");
    Sweep(
        "Saving an edited record",
        [&] {
            ListCore list;
            list.SetID(1);
            return !list.UpdateRecord(saved);
        },
        [&](bool failed) {
            const QStringList row =
                Rows(m_list, "SELECT Name, Address, City, State, Zip, Code, Switches FROM List "
                             "WHERE ID = 1");
            if (failed) {
                EXPECT_EQ(Rows(m_list, "SELECT * FROM List WHERE ID = 1"), old);
            } else {
                EXPECT_EQ(row, QStringList{"Saved; Sam|1 New Road|Newtown|IL|606010000|SAVED|"
                                           "1111000000000000"});
            }
        });
}

} // namespace
