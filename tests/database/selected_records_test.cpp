#include "database/selected_records.h"

#include "app/settings.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "database/ranked_sorter.h"
#include "database/statement.h"
#include "filters/build_filter_query.h"
#include "support/test_environment.h"

#include <QDate>
#include <algorithm>
#include <random>

namespace {

TEST(RankedSorterTest, GivesItemsInRankOrderFromMemoryAndFromSpilledRuns) {
    // Items of different sizes with repeated ranks, added in a shuffled order.
    std::vector<std::pair<qint64, QByteArray>> items;
    for (qint64 i = 0; i < 500; ++i)
        items.emplace_back(i % 170, QByteArray::number(i) + QByteArray(int(i % 9), 'x'));
    std::shuffle(items.begin(), items.end(), std::mt19937(7));
    // Expected: by rank, equal ranks in the order they were added.
    std::vector<std::pair<qint64, QByteArray>> expected = items;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    // A limit of a few items makes many runs on the temporary file; a large one keeps all
    // in memory.
    for (const qsizetype limit : {qsizetype(40), qsizetype(1 << 20)}) {
        RankedSorter sorter(limit);
        for (const auto& [rank, bytes] : items)
            sorter.Add(rank, bytes);
        EXPECT_EQ(sorter.Count(), 500);
        std::vector<std::pair<qint64, QByteArray>> got;
        sorter.ForEachInOrder([&](qint64 rank, QByteArrayView bytes) {
            got.emplace_back(rank, bytes.toByteArray());
            return true;
        });
        EXPECT_EQ(got, expected) << "memory limit " << limit;
    }
}

TEST(RankedSorterTest, StopsWhenTheVisitorSaysSo) {
    RankedSorter sorter(16);
    for (qint64 r = 30; r > 0; --r)
        sorter.Add(r, QByteArray(5, char('a' + r % 26)));
    std::vector<qint64> seen;
    sorter.ForEachInOrder([&](qint64 rank, QByteArrayView) {
        seen.push_back(rank);
        return seen.size() < 3;
    });
    EXPECT_EQ(seen, (std::vector<qint64>{1, 2, 3}));
}

class SelectedRecordsTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        MakeList();
        ListCore store;
        const char* const names[] = {"zeta",   "Adams", "adams",  "Éclair; Ann", "Baker",
                                     "O'Neil", "baker", "Müller", "Cole",        "Adams"};
        for (int i = 0; i < 60; ++i) {
            ListRecord r;
            r.Name = QString::fromUtf8(names[i % 10]);
            r.Address =
                i % 3 ? QStringLiteral("%1 Main St\r\nSuite %2").arg(i).arg(i % 7) : QString();
            r.City = QStringLiteral("Springfield");
            r.State = QStringLiteral("IL");
            r.Zip = QStringLiteral("%1").arg(60000 + (i * 37) % 11, 5, 10, QLatin1Char('0'));
            r.EMail = QStringLiteral("p%1@example.org").arg(i);
            r.Phone = QStringLiteral("217555%1").arg(i, 4, 10, QLatin1Char('0'));
            r.Notes = i % 4 ? QStringLiteral("Note %1\r\nsecond line — ü").arg(i) : QString();
            r.LastEdit = i % 5 ? QDate(2020, 1, 1).addDays(i) : QDate();
            r.Switches = QStringLiteral("1010000000000000");
            ASSERT_TRUE(store.AppendRecord(r));
        }
    }

    // Every record read, with its fields joined, under each method; the places are checked
    // to run 0, 1, 2, ... and the records formatted are those taken.
    static QStringList Read(const ListCore& store, SelectedRead method) {
        QStringList rows;
        SelectedPass pass;
        pass.format = [](const ListRecord& r) {
            return QStringList{
                r.Name,
                r.Address,
                r.City,
                r.State,
                r.Zip,
                r.EMail,
                r.Phone,
                r.Notes,
                r.Switches,
                r.LastEdit.isValid() ? r.LastEdit.toString(Qt::ISODate) : QStringLiteral("<none>")}
                .join('|')
                .toUtf8();
        };
        pass.take = [&](qint64, QByteArrayView bytes) {
            rows << QString::fromUtf8(bytes);
            return true;
        };
        const qint64 taken = RunSelectedPass(store, pass, method);
        EXPECT_EQ(taken, rows.size());
        return rows;
    }

    // The rows the store itself gives when walked from record to record.
    static QStringList Walk(ListCore& store) {
        QStringList rows;
        if (!store.FirstRecord())
            return rows;
        do {
            const QDate edit = store.LastEdit();
            rows
                << QStringList{store.Name(),
                               store.Address(),
                               store.City(),
                               store.State(),
                               store.Zip(),
                               store.EMail(),
                               store.Phone(),
                               store.Notes(),
                               store.Switches(),
                               edit.isValid() ? edit.toString(Qt::ISODate) : QStringLiteral("<none>")}
                       .join('|');
        } while (store.MoveUp());
        return rows;
    }
};

TEST_F(SelectedRecordsTest, BothMethodsReadTheWholeListInTheStoresNameOrder) {
    ListCore store;
    store.SetCurrentFilter();
    ASSERT_FALSE(store.Filtered());
    const QStringList walked = Walk(store);
    ASSERT_EQ(walked.size(), 60);
    EXPECT_EQ(Read(store, SelectedRead::ByLookup), walked);
    EXPECT_EQ(Read(store, SelectedRead::ByScan), walked);
    EXPECT_EQ(Read(store, SelectedRead::Automatic), walked);
}

TEST_F(SelectedRecordsTest, BothMethodsFollowAFiltersOrderAndPassOverDeletedRecords) {
    FilterRecord filter;
    filter.FilterName = QStringLiteral("By zip");
    filter.StartPhone = filter.EndPhone = QStringLiteral("0000000000");
    filter.StartZip = QStringLiteral("60002");
    filter.EndZip = QStringLiteral("60008");
    filter.Sequence = 3;
    filter.Query = BuildFilterQuery(filter);
    FilterCore filters;
    ASSERT_TRUE(filters.NewRecord(filter));
    ControlCore().SetCurrentFilter(filters.ID());

    ListCore store;
    store.SetCurrentFilter();
    ASSERT_TRUE(store.Filtered());
    QStringList walked = Walk(store);
    ASSERT_GT(walked.size(), 20);
    ASSERT_LT(walked.size(), 60);
    EXPECT_EQ(Read(store, SelectedRead::ByLookup), walked);
    EXPECT_EQ(Read(store, SelectedRead::ByScan), walked);

    // A record deleted by another store after the set was made is left out by both.
    ListCore other;
    other.SetCurrentFilter();
    ASSERT_TRUE(other.FirstRecord());
    ASSERT_TRUE(other.MoveUp());
    ASSERT_TRUE(other.DeleteRecord());
    walked.removeAt(1);
    EXPECT_EQ(Read(store, SelectedRead::ByLookup), walked);
    EXPECT_EQ(Read(store, SelectedRead::ByScan), walked);
}

TEST_F(SelectedRecordsTest, OnlyWantedPlacesAreTakenAndTakingCanStop) {
    ListCore store;
    store.SetCurrentFilter();
    const QStringList walked = Walk(store);
    for (const SelectedRead method : {SelectedRead::ByLookup, SelectedRead::ByScan}) {
        SelectedPass pass;
        pass.wanted = [](qint64 place) { return place % 7 == 3; };
        pass.format = [](const ListRecord& r) { return r.EMail.toUtf8(); };
        std::vector<qint64> places;
        pass.take = [&](qint64 place, QByteArrayView bytes) {
            places.push_back(place);
            EXPECT_EQ(walked.at(int(place)).section('|', 5, 5), QString::fromUtf8(bytes));
            return places.size() < 5;
        };
        EXPECT_EQ(RunSelectedPass(store, pass, method), 5);
        EXPECT_EQ(places, (std::vector<qint64>{3, 10, 17, 24, 31}));
    }
}

TEST_F(SelectedRecordsTest, ProgressRisesToTheEndAndCanStopThePass) {
    // Enough records for progress to be told while the table is read.
    {
        auto db = Connection::Open(CurrentListSetting());
        Transaction transaction(*db);
        Statement insert = db->Prepare("INSERT INTO List (Name, Zip) VALUES (?, '12345')");
        for (int i = 0; i < 9000; ++i) {
            insert.Reset();
            insert.Bind(1, QStringLiteral("Extra %1").arg(i, 4, 10, QLatin1Char('0'))).Run();
        }
        transaction.Commit();
    }
    ListCore store;
    store.SetCurrentFilter();
    for (const SelectedRead method : {SelectedRead::ByLookup, SelectedRead::ByScan}) {
        SelectedPass pass;
        pass.format = [](const ListRecord& r) { return r.Name.toUtf8(); };
        qint64 taken = 0;
        pass.take = [&](qint64, QByteArrayView) { return ++taken > 0; };
        std::vector<double> reports;
        pass.progress = [&](double done) {
            reports.push_back(done);
            return true;
        };
        EXPECT_EQ(RunSelectedPass(store, pass, method), 9060);
        EXPECT_GE(reports.size(), 2u);
        EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
        EXPECT_GT(reports.front(), 0.0);
        EXPECT_LE(reports.back(), 1.0);

        // Stopped at the first report: the pass ends there, and a scan takes nothing.
        taken = 0;
        pass.progress = [](double) { return false; };
        const qint64 result = RunSelectedPass(store, pass, method);
        EXPECT_EQ(result, taken);
        EXPECT_LT(taken, 9060);
        if (method == SelectedRead::ByScan) {
            EXPECT_EQ(taken, 0);
        }
    }
}

} // namespace
