#include "app/date_text.h"

#include <QDate>
#include <gtest/gtest.h>

TEST(DateText, ReadsTheFormsPeopleType) {
    const QDate march7(2002, 3, 7);
    for (const char* text : {"3/7/2002", "03/07/2002", "3-7-2002", "3.7.2002", "2002-03-07",
                             "7-Mar-2002", "07-Mar-2002", "7 Mar 2002", "Mar 7, 2002",
                             "March 7, 2002", "7 March 2002", "  3/7/2002  ", "3/7/02", "7-Mar-02"})
        EXPECT_EQ(ReadDateText(QString::fromLatin1(text)), march7) << text;
}

TEST(DateText, TwoDigitYearsAreReadAs1930To2029) {
    EXPECT_EQ(ReadDateText("1/2/29"), QDate(2029, 1, 2));
    EXPECT_EQ(ReadDateText("1/2/30"), QDate(1930, 1, 2));
    EXPECT_EQ(ReadDateText("12/31/99"), QDate(1999, 12, 31));
}

TEST(DateText, RefusesWhatIsNoDate) {
    for (const char* text : {"", "   ", "2/30/2002", "13/1/2002", "tomorrow", "3/7", "12345"})
        EXPECT_FALSE(ReadDateText(QString::fromLatin1(text)).isValid()) << text;
}

TEST(DateText, TheMediumFormReadsBackAsTheSameDate) {
    EXPECT_EQ(MediumDate(QDate(2002, 3, 7)), "07-Mar-2002");
    EXPECT_EQ(ReadDateText(MediumDate(QDate(1999, 12, 31))), QDate(1999, 12, 31));
}
