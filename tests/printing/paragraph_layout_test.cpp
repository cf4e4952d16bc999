#include "printing/paragraph_layout.h"
#include "printing/recording_printer.h"

#include <gtest/gtest.h>

// Wrapping at 10 points on the recording printer: every character (and "-" and "M") is 100
// twips wide, "W" 150, a line 240 high.

namespace {
// The lines of a paragraph as printed, and a check that counting agrees with printing.
QStringList Wrap(const QString& text, double width, bool hangingIndent = false) {
    RecordingPrinter printer;
    PrintParagraph(printer, 0, 0, width, 10, text, hangingIndent);
    const QStringList lines = printer.Texts();
    EXPECT_EQ(CountParagraphLines(printer, width, 10, text, hangingIndent), lines.size())
        << text.toStdString();
    return lines;
}
} // namespace

TEST(ParagraphLayout, ShortParagraphIsOneLineAtItsPosition) {
    RecordingPrinter printer;
    printer.SetFontSize(12);
    PrintParagraph(printer, 1000, 2000, 4500, 10, "Call after five", false);
    const auto texts = printer.OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Call after five");
    EXPECT_EQ(texts[0].x, 1000);
    EXPECT_EQ(texts[0].y, 2000);
    EXPECT_EQ(texts[0].fontSize, 10);
    EXPECT_EQ(printer.CurrentY(), 2240);
    EXPECT_EQ(printer.FontSize(), 12);
}

TEST(ParagraphLayout, LinesBreakAfterSpacesAndTheLastWordMovesOn) {
    EXPECT_EQ(Wrap("one two three", 900), (QStringList{"one two ", "three"}));
    // "aa bb" is too wide for 400 as a whole, so "bb" goes on although "aa " fits with room.
    EXPECT_EQ(Wrap("aa bb", 400), (QStringList{"aa ", "bb"}));

    RecordingPrinter printer;
    PrintParagraph(printer, 500, 100, 900, 10, "one two three", false);
    const auto texts = printer.OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].x, 500);
    EXPECT_EQ(texts[1].y, 340);
    EXPECT_EQ(printer.CurrentY(), 580);
}

TEST(ParagraphLayout, LongWordsBreakBeforeAVowelWithAnAddedHyphen) {
    // 700 wide: pieces must be narrower than 600 before the hyphen; "Abracad" (before the
    // vowel at 8) is too wide, the scan goes on two places left and breaks before the "a"
    // at 6.
    EXPECT_EQ(Wrap("Abracadabra", 700), (QStringList{"Abrac-", "adabra"}));
    // After a vowel whose piece is too wide the scan skips the character before it: the
    // "a" of "Bureau..." at 5 is never tried, the "e" at 4 is.
    EXPECT_EQ(Wrap("Bureaucrat", 600), (QStringList{"Bur-", "ea-", "ucrat"}));
    // Capital and small vowels and "y" count alike.
    EXPECT_EQ(Wrap("xxxYxxxx", 500), (QStringList{"xxx-", "Yxxxx"}));
}

TEST(ParagraphLayout, WordsWithoutAVowelBreakWhereTheyMust) {
    // No vowel: the longest piece of at most 400 twips, and a hyphen.
    EXPECT_EQ(Wrap("xxxxxxxxx", 500), (QStringList{"xxxx-", "xxxxx"}));
}

TEST(ParagraphLayout, ExistingHyphenIsUsedWithoutAddingAnother) {
    EXPECT_EQ(Wrap("Montgomery-Smythe", 1200), (QStringList{"Montgomery-", "Smythe"}));
    // The part up to the hyphen must be narrower than the column; here it is not, so the
    // word breaks before a vowel instead ("y" counts as one).
    EXPECT_EQ(Wrap("Montgomery-Smythe", 1100), (QStringList{"Montgomer-", "y-Smythe"}));
}

TEST(ParagraphLayout, ColumnNarrowerThanMAndHyphenGivesOneCharacterPerLine) {
    EXPECT_EQ(Wrap("abc", 150), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(Wrap("abc", 0), (QStringList{"a", "b", "c"}));
}

TEST(ParagraphLayout, CharacterWiderThanTheRoomLeftStillMakesProgress) {
    // 200 wide leaves 100 beside the hyphen: "M" fits, but no piece of "WW" does. The
    // wrapping takes one "W" at a time rather than print hyphens for ever.
    EXPECT_EQ(Wrap("WW", 200), (QStringList{"W", "W"}));
    EXPECT_EQ(Wrap("WWW", 200), (QStringList{"W", "W", "W"}));
}

TEST(ParagraphLayout, LineBreaksInNotesFlowTogether) {
    EXPECT_EQ(Wrap("Met at the fair\r\nwants a call\r\n", 5000),
              (QStringList{"Met at the fair wants a call "}));
    EXPECT_EQ(Wrap("aaa\r\nbbb ccc", 900), (QStringList{"aaa bbb ", "ccc"}));
    EXPECT_TRUE(Wrap("", 900).isEmpty());
}

TEST(ParagraphLayout, HangingIndentStartsLaterLinesWithFourSpaces) {
    EXPECT_EQ(Wrap("aaa bbb ccc ddd", 900, true), (QStringList{"aaa bbb ", "    ccc ", "    ddd"}));
    EXPECT_EQ(Wrap("aaa bbb ccc ddd", 900, false), (QStringList{"aaa bbb ", "ccc ddd"}));
}

TEST(ParagraphLayout, ANoteOfThousandsOfCharactersWithoutASpaceWrapsWhole) {
    // Pasted data in a note: one "word" of 20,000 characters in a column of 14 characters.
    // Every line but the last fills the column with a piece and its hyphen, and the pieces
    // put together are the note. (Wrapping used to measure every piece of the rest for each
    // line, which took minutes for a note like this.)
    QString note;
    for (int i = 0; note.size() < 20000; ++i)
        note += i % 3 == 0 ? QStringLiteral("bcdfa") : QStringLiteral("qrstvwxz");
    const QStringList lines = Wrap(note, 1400);
    ASSERT_GT(lines.size(), 20000 / 13);
    QString joined;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        EXPECT_LE(line.size(), 14) << "line " << i;
        if (i + 1 < lines.size()) {
            ASSERT_TRUE(line.endsWith('-')) << "line " << i;
            joined += line.chopped(1);
        } else {
            joined += line;
        }
    }
    EXPECT_EQ(joined, note);
}

TEST(ParagraphLayout, NextLineAndBreakWordShortenTheRest) {
    RecordingPrinter printer;
    QString rest = "one two three";
    EXPECT_EQ(NextLine(printer, rest, 1300, "    "), "one two ");
    EXPECT_EQ(rest, "three");
    EXPECT_EQ(NextLine(printer, rest, 1300, "    "), "three");
    EXPECT_TRUE(rest.isEmpty());

    rest = "Abracadabra";
    EXPECT_EQ(BreakWord(printer, rest, 700), "Abrac-");
    EXPECT_EQ(rest, "adabra");
}
