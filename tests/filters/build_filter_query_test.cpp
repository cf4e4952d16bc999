#include "filters/build_filter_query.h"

#include "app/value_formats.h"
#include "database/filter_record.h"
#include "support/test_environment.h"

#include <QDate>

namespace {

using BuildFilterQueryTest = LettrinoTest;

// A filter record as the filter editor saves an untouched form: phones "0000000000".
FilterRecord EmptyFilter() {
    FilterRecord f;
    f.StartPhone = f.EndPhone = QStringLiteral("0000000000");
    return f;
}

std::string Query(const FilterRecord& f) {
    return BuildFilterQuery(f).toStdString();
}

TEST_F(BuildFilterQueryTest, WorkedExamplesToTheByte) {
    FilterRecord f = EmptyFilter();
    f.StartName = "B";
    f.EndName = "D";
    f.StartZip = ZipDigits("40000", false);
    f.Marked = 1;
    f.OrSelect = "1010000000000000";
    f.AndReject = "0000000000000001";
    f.Sequence = 3;
    EXPECT_EQ(Query(f),
              "SELECT * FROM [List] WHERE [Name] >= 'B' AND [Name] <= 'D' AND [Zip] >= "
              R"('400000000' AND [Marked] = 1 AND ([Switches] LIKE '1???????????????' OR )"
              R"([Switches] LIKE '??1?????????????') AND [Switches] NOT LIKE )"
              R"('???????????????1' ORDER BY [Zip];)");

    EXPECT_EQ(Query(EmptyFilter()), "SELECT * FROM [List] ORDER BY [Name];");
}

TEST_F(BuildFilterQueryTest, TextRangesInTheirOrderWithOneSidedBounds) {
    FilterRecord f = EmptyFilter();
    f.EndName = "D";
    f.StartCity = "Boston";
    f.EndState = "NY";
    f.StartEMail = "a@";
    f.EndEMail = "m@";
    f.StartCode = "C1";
    f.EndCarRt = "R009";
    EXPECT_EQ(Query(f), "SELECT * FROM [List] WHERE [Name] <= 'D' AND [City] >= 'Boston' AND "
                        "[State] <= 'NY' AND [EMail] >= 'a@' AND [EMail] <= 'm@' AND [Code] >= "
                        "'C1' AND [CarRt] <= 'R009' ORDER BY [Name];");
}

TEST_F(BuildFilterQueryTest, BlankBoundsGiveNoClauseAndBlanksAroundAValueAreKept) {
    FilterRecord f = EmptyFilter();
    f.StartName = "   ";
    f.EndCity = "  Salem ";
    EXPECT_EQ(Query(f), "SELECT * FROM [List] WHERE [City] <= '  Salem ' ORDER BY [Name];");
}

TEST_F(BuildFilterQueryTest, ZipBoundsArePaddedByTheEditorAndGoInAsStored) {
    FilterRecord f = EmptyFilter();
    f.StartZip = ZipDigits("40", false);
    f.EndZip = ZipDigits("40", true);
    EXPECT_EQ(Query(f), "SELECT * FROM [List] WHERE [Zip] >= '400000000' AND [Zip] <= "
                        "'409999999' ORDER BY [Name];");
}

TEST_F(BuildFilterQueryTest, PhoneBoundsCountOnlyAboveAllZeros) {
    FilterRecord f = EmptyFilter();
    f.StartPhone = "6175550000";
    f.EndPhone = "6175559999";
    EXPECT_EQ(Query(f), "SELECT * FROM [List] WHERE [Phone] >= '6175550000' AND [Phone] <= "
                        "'6175559999' ORDER BY [Name];");

    // International mode keeps phones as typed: empty, "+" and "(" all sort before zeros.
    for (const char* typed : {"", "+44 20 7946 0000", "(617) 555"}) {
        FilterRecord intl = EmptyFilter();
        intl.StartPhone = intl.EndPhone = typed;
        EXPECT_EQ(Query(intl), "SELECT * FROM [List] ORDER BY [Name];") << typed;
    }
}

TEST_F(BuildFilterQueryTest, DatesAreJetLiteralsWithoutLeadingZeros) {
    FilterRecord f = EmptyFilter();
    f.StartDate = QDate(2002, 3, 7);
    f.EndDate = QDate(2012, 11, 30);
    f.Sequence = 8;
    EXPECT_EQ(Query(f), "SELECT * FROM [List] WHERE [LastEdit] >= #3/7/2002# AND [LastEdit] <= "
                        "#11/30/2012# ORDER BY [LastEdit];");
    // The zero date is no bound.
    f.StartDate = QDate(1899, 12, 30);
    f.EndDate = QDate();
    EXPECT_EQ(Query(f), "SELECT * FROM [List] ORDER BY [LastEdit];");
}

TEST_F(BuildFilterQueryTest, FlagsComeAfterRangesAndBeforeSwitches) {
    FilterRecord f = EmptyFilter();
    f.Imported = 1;
    f.Marked = 2;
    f.OrReject = "0100000000000010";
    EXPECT_EQ(Query(f), "SELECT * FROM [List] WHERE [Marked] = 1 AND [Imported] = 1 AND "
                        R"(([Switches] NOT LIKE '?1??????????????' AND [Switches] NOT LIKE )"
                        R"('??????????????1?') ORDER BY [Name];)");
}

TEST_F(BuildFilterQueryTest, OrSelectWithOneSwitchStillHasParentheses) {
    FilterRecord f = EmptyFilter();
    f.OrSelect = "1000000000000000";
    EXPECT_EQ(
        Query(f),
        R"(SELECT * FROM [List] WHERE ([Switches] LIKE '1???????????????') ORDER BY [Name];)");
}

TEST_F(BuildFilterQueryTest, AndSelectIsJoinedWithOrAfterEarlierClauses) {
    FilterRecord alone = EmptyFilter();
    alone.AndSelect = "0110000000000000";
    EXPECT_EQ(Query(alone),
              R"(SELECT * FROM [List] WHERE [Switches] LIKE '?11?????????????' ORDER BY [Name];)");

    FilterRecord after = alone;
    after.StartName = "B";
    after.AndReject = "0000000000000011";
    EXPECT_EQ(Query(after), "SELECT * FROM [List] WHERE [Name] >= 'B' OR [Switches] LIKE "
                            R"('?11?????????????' AND [Switches] NOT LIKE '??????????????11' )"
                            "ORDER BY [Name];");
}

TEST_F(BuildFilterQueryTest, EverySortCodeAndAnyOtherSortsByName) {
    const char* columns[] = {"[Name]",  "[City]", "[State]", "[Zip]",     "[EMail]",
                             "[Phone]", "[Code]", "[CarRt]", "[LastEdit]"};
    for (int code = 0; code <= 8; ++code) {
        FilterRecord f = EmptyFilter();
        f.Sequence = code;
        EXPECT_EQ(Query(f), std::string("SELECT * FROM [List] ORDER BY ") + columns[code] + ";");
    }
    FilterRecord other = EmptyFilter();
    other.Sequence = 12;
    EXPECT_EQ(Query(other), "SELECT * FROM [List] ORDER BY [Name];");
}

TEST_F(BuildFilterQueryTest, ApostrophesAreDoubledInsideTheLiteral) {
    FilterRecord f = EmptyFilter();
    f.StartName = "O'Brien";
    f.EndName = "O'Neil";
    f.StartCity = "x' OR 1=1 OR '";
    EXPECT_EQ(Query(f), "SELECT * FROM [List] WHERE [Name] >= 'O''Brien' AND [Name] <= "
                        "'O''Neil' AND [City] >= 'x'' OR 1=1 OR ''' ORDER BY [Name];");
}

TEST_F(BuildFilterQueryTest, ANulCharacterInABoundIsLeftOutSoTheLiteralStaysWhole) {
    FilterRecord f = EmptyFilter();
    f.StartEMail = QStringLiteral("#1/3/2003X") + QChar(0) + "a";
    f.EndEMail = QString(QChar(0));
    EXPECT_EQ(Query(f), "SELECT * FROM [List] WHERE [EMail] >= '#1/3/2003Xa' AND [EMail] <= '' "
                        "ORDER BY [Name];");
}

} // namespace
