// The survey of a text file and the UTF-8 check read plain ASCII eight bytes at a time: a
// character or control byte must be seen at whatever place within such a word it stands.
#include "filters/text_encoding.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

TextSurvey Survey(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return SurveyText(buffer);
}

} // namespace

TEST(TextEncoding, EveryByteIsSeenWhereverItStandsInAWord) {
    for (int offset = 0; offset < 16; ++offset) {
        SCOPED_TRACE(offset);
        const QByteArray before(offset, 'a'), after(24 - offset, 'b');
        Utf8Check check;
        check.Feed(before + "\xC3\xB1" + after + "\xFF" + before);
        check.Finish();
        EXPECT_EQ(check.Characters(), 1);
        EXPECT_EQ(check.BadBytes(), 1);
        for (char control : {'\x01', '\x7F', '\x00'}) {
            const TextSurvey survey = Survey(before + control + after + "\r\n" + after);
            EXPECT_EQ(survey.lines, 2);
            EXPECT_EQ(survey.controlLines, 1);
            EXPECT_EQ(survey.nul, control == '\x00');
        }
        const TextSurvey lines = Survey(before + "\n" + after + "\r" + before + "\t" + after);
        EXPECT_EQ(lines.lines, offset == 0 ? 2 : 3);
        EXPECT_TRUE(lines.sawLf && lines.sawCr);
        EXPECT_EQ(lines.controlLines, 0);
    }
}
