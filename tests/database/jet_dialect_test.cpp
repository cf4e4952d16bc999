#include "database/jet_dialect.h"

#include "database/connection.h"
#include "database/statement.h"
#include "support/test_environment.h"

TEST(JetLike, WildcardsAndSets) {
    EXPECT_TRUE(JetLikeMatch("Sm*", "Smith"));
    EXPECT_TRUE(JetLikeMatch("sm*", "SMITH"));
    EXPECT_FALSE(JetLikeMatch("Sm*", "Asmith"));
    EXPECT_TRUE(JetLikeMatch("*ith", "Smith"));
    EXPECT_TRUE(JetLikeMatch("S?ith", "Smith"));
    EXPECT_FALSE(JetLikeMatch("S?ith", "Sith"));
    EXPECT_TRUE(JetLikeMatch("*", ""));
    EXPECT_FALSE(JetLikeMatch("?", ""));
    EXPECT_TRUE(JetLikeMatch("a*b*c", "aXXbYYbZc"));
    EXPECT_FALSE(JetLikeMatch("a*b*c", "aXXbYYbZ"));
    EXPECT_TRUE(JetLikeMatch("###-####", "555-0123"));
    EXPECT_FALSE(JetLikeMatch("###-####", "55A-0123"));
    EXPECT_TRUE(JetLikeMatch("[a-c]*", "Banana"));
    EXPECT_FALSE(JetLikeMatch("[!a-c]*", "Banana"));
    EXPECT_TRUE(JetLikeMatch("[!a-c]*", "Zebra"));
    EXPECT_TRUE(JetLikeMatch("[xyz]", "Y"));
    EXPECT_TRUE(JetLikeMatch("a[*]b", "a*b"));
    EXPECT_FALSE(JetLikeMatch("a[*]b", "axb"));
    EXPECT_TRUE(JetLikeMatch("a[?]b", "a?b"));
    EXPECT_TRUE(JetLikeMatch("[#]1", "#1"));
    EXPECT_TRUE(JetLikeMatch("a[b", "a[b")); // an unclosed "[" stands for itself
    EXPECT_FALSE(JetLikeMatch("abc", "abcd"));
}

TEST(JetLike, WholeCharactersBeyondAscii) {
    EXPECT_TRUE(JetLikeMatch("Pe?a", "Peña"));
    EXPECT_TRUE(JetLikeMatch("*€*", "€ 25 pledged."));
    EXPECT_TRUE(JetLikeMatch("M?ller*", "Müller-Ostrander"));
    // Only ASCII letters fold: é and É are different characters.
    EXPECT_FALSE(JetLikeMatch("é", "É"));
}

TEST(JetLike, BrokenUtf8IsMatchedByteForByteAndHidesNoWildcard) {
    // "\xC0\xA3" and "\xC0\xAA" are overlong forms of "#" and "*": plain bytes, not wildcards.
    EXPECT_TRUE(JetLikeMatch("\xC0\xA3", "\xC0\xA3"));
    EXPECT_FALSE(JetLikeMatch("\xC0\xA3", "5"));
    EXPECT_FALSE(JetLikeMatch("a\xC0\xAA", "abc"));
    EXPECT_TRUE(JetLikeMatch("\xD6<V\x8B\xC0\xA3\xFF\xFE", "\xD6<V\x8B\xC0\xA3\xFF\xFE"));
    // A lead byte without its continuation, and a lone continuation byte.
    EXPECT_TRUE(JetLikeMatch("?x", "\xE2x"));
    EXPECT_TRUE(JetLikeMatch("*\x80", "ab\x80"));
}

TEST(JetLike, SwitchPatternsOfFilters) {
    EXPECT_TRUE(JetLikeMatch("1???????????????", "1000000000000000"));
    EXPECT_TRUE(JetLikeMatch("??1?????????????", "0010000000000000"));
    EXPECT_FALSE(JetLikeMatch("??1?????????????", "1100000000000000"));
    EXPECT_FALSE(JetLikeMatch("1???????????????", "100000000000000")); // one short
}

TEST(JetDates, LiteralsOutsideQuotesBecomeIsoDates) {
    EXPECT_EQ(RewriteJetDateLiterals("SELECT * FROM [List] WHERE [LastEdit] >= #3/7/2002# "
                                     "ORDER BY [LastEdit];"),
              "SELECT * FROM [List] WHERE [LastEdit] >= '2002-03-07' ORDER BY [LastEdit];");
    EXPECT_EQ(RewriteJetDateLiterals("x BETWEEN #12/25/2001# AND #1/1/2002#"),
              "x BETWEEN '2001-12-25' AND '2002-01-01'");
}

TEST(JetDates, QuotedTextBracketsAndNonDatesStayAsWritten) {
    const QString quoted = "SELECT * FROM [List] WHERE [Notes] = 'paid #3/7/2002#' AND "
                           "[Name] = \"#1/2/2003#\"";
    EXPECT_EQ(RewriteJetDateLiterals(quoted), quoted);
    const QString doubled = "WHERE [Name] = 'O''Brien #1/2/2003#' AND x = #1/2/2003#";
    EXPECT_EQ(RewriteJetDateLiterals(doubled),
              "WHERE [Name] = 'O''Brien #1/2/2003#' AND x = '2003-01-02'");
    EXPECT_EQ(RewriteJetDateLiterals("[A#1/2/2003#] #13/45/2002# #1/2/03#"),
              "[A#1/2/2003#] #13/45/2002# #1/2/03#");
    EXPECT_EQ(RewriteJetDateLiterals("[Switches] LIKE '###-####'"), "[Switches] LIKE '###-####'");
}

using JetSqlOnTheEngine = LettrinoTest;

TEST_F(JetSqlOnTheEngine, StatementsRunWithJetLikeAndDates) {
    auto db = Connection::Open(Path("t.db"), Connection::Mode::Create);
    db->Execute("CREATE TABLE t (name TEXT COLLATE NOCASE, d TEXT)");
    db->Execute("INSERT INTO t VALUES ('Smith', '2002-03-07'), ('smythe', '2002-03-06'), "
                "('Jones', '2002-03-08'), (NULL, '2002-03-09')");
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM t WHERE name LIKE 'SM*'"), 2);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM t WHERE name NOT LIKE 's*'"), 1);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM t WHERE d >= #3/7/2002#"), 3);
    // Ordinary SQL LIKE wildcards mean nothing special to Jet.
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM t WHERE name LIKE 'Sm%'"), 0);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM t WHERE name >= 's' AND name <= 'SN'"), 2);
}
