#include "printing/intelligent_mail.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// The letters of the bars the zint tool draws for the same data, read from its dump: three
// rows of modules (ascenders, trackers, descenders), bars on the even modules. Empty when
// zint is missing or refuses the data.
QString ZintLetters(const QString& tracking, const QString& routing) {
    QProcess zint;
    const QString data = routing.isEmpty() ? tracking : tracking + "-" + routing;
    zint.start("zint", {"-b", "USPS_IMAIL", "-d", data, "--dump"});
    if (!zint.waitForFinished(30000) || zint.exitCode() != 0)
        return QString();
    const QStringList rows =
        QString::fromLatin1(zint.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    if (rows.size() != 3)
        return QString();
    auto modules = [](const QString& row) {
        QString bits;
        for (QChar hex : QString(row).remove(' ').trimmed())
            bits += QStringLiteral("%1").arg(QString(hex).toInt(nullptr, 16), 4, 2, QChar('0'));
        return bits;
    };
    const QString up = modules(rows.at(0));
    const QString down = modules(rows.at(2));
    QString letters;
    for (int module = 0; module < 2 * kImbBarCount; module += 2) {
        if (module >= up.size() || module >= down.size())
            return QString();
        const bool a = up.at(module) == '1';
        const bool d = down.at(module) == '1';
        letters += a && d ? 'F' : a ? 'A' : d ? 'D' : 'T';
    }
    return letters;
}

QString Letters(const QString& tracking, const QString& routing) {
    ImbBars bars;
    QString error;
    EXPECT_TRUE(EncodeIntelligentMail(tracking, routing, bars, error))
        << tracking.toStdString() << "-" << routing.toStdString() << ": " << error.toStdString();
    return ImbBarLetters(bars);
}

} // namespace

// The examples the Postal Service publishes with the barcode's specification (USPS-B-3200):
// one tracking code with each form of routing code.
TEST(IntelligentMail, PublishedExamplesOfEachRoutingForm) {
    const QString tracking = "01234567094987654321";
    EXPECT_EQ(Letters(tracking, ""),
              "ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT");
    EXPECT_EQ(Letters(tracking, "01234"),
              "DTTAFADDTTFTDTFTFDTDDADADAFADFATDDFTAAAFDTTADFAAATDFDTDFADDDTDFFT");
    EXPECT_EQ(Letters(tracking, "012345678"),
              "ADFTTAFDTTTTFATTADTAAATFTFTATDAAAFDDADATATDTDTTDFDTDATADADTDFFTFA");
    EXPECT_EQ(Letters(tracking, "01234567891"),
              "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA");
}

TEST(IntelligentMail, BarsMatchTheZintTool) {
    if (QStandardPaths::findExecutable("zint").isEmpty())
        GTEST_SKIP() << "zint is not installed (Debian package zint): the bars are not "
                        "compared with the tool's";
    const struct {
        const char* tracking;
        const char* routing;
    } samples[] = {{"00300123456000000001", ""},
                   {"00300123456000000001", "62701"},
                   {"00270901234567123456", "627010001"},
                   {"04040999999999999999", "62701000155"},
                   {"01234567094987654321", "01234567891"},
                   {"00000000000000000000", "00000000000"},
                   {"14399555555987654321", "99999999999"}};
    for (const auto& sample : samples) {
        const QString ours = Letters(sample.tracking, sample.routing);
        EXPECT_EQ(ours.size(), kImbBarCount);
        EXPECT_EQ(ZintLetters(sample.tracking, sample.routing), ours)
            << sample.tracking << "-" << sample.routing;
    }
}

TEST(IntelligentMail, RefusedDataGivesTheReasonWithoutTheLibrarysNumber) {
    ImbBars bars;
    QString error;
    // Second digit of the barcode identifier above 4.
    EXPECT_FALSE(EncodeIntelligentMail("05234567094987654321", "", bars, error));
    EXPECT_TRUE(error.contains("Barcode Identifier")) << error.toStdString();
    EXPECT_FALSE(error.startsWith("Error")) << error.toStdString();
    // A routing code of another length and one with a letter.
    for (const char* routing : {"1234", "12345678", "1234567890", "123456789012", "12a45"}) {
        EXPECT_FALSE(EncodeIntelligentMail("01234567094987654321", routing, bars, error))
            << routing;
        EXPECT_FALSE(error.isEmpty()) << routing;
    }
    EXPECT_FALSE(EncodeIntelligentMail("0123456709498765432", "12345", bars, error));
    EXPECT_TRUE(error.contains("tracking code")) << error.toStdString();
}

TEST(IntelligentMail, RoutingCodeOfEachKindOfZip) {
    const QString address = "55 RIVER RD";
    // No value: no routing code at all.
    for (const char* zip : {"", "000000000", "abcde"}) {
        EXPECT_EQ(ImbRoutingCode(zip, address, "", false), "") << zip;
        EXPECT_EQ(ImbRoutingCode(zip, address, "", true), "") << zip;
    }
    // The +4 is 0000 (or missing): the five digits, with or without delivery point.
    for (const char* zip : {"627010000", "62701"}) {
        EXPECT_EQ(ImbRoutingCode(zip, address, "", false), "62701") << zip;
        EXPECT_EQ(ImbRoutingCode(zip, address, "", true), "62701") << zip;
    }
    // Zip + 4: nine digits, and eleven with the delivery point taken from the address or
    // from the record's override.
    EXPECT_EQ(ImbRoutingCode("627011234", address, "", false), "627011234");
    EXPECT_EQ(ImbRoutingCode("627011234", address, "", true), "62701123455");
    EXPECT_EQ(ImbRoutingCode("627011234", "RR 2 BOX 145", "", true), "62701123402");
    EXPECT_EQ(ImbRoutingCode("627011234", address, "07", true), "62701123407");
    EXPECT_EQ(ImbRoutingCode("627011234", address, "07", false), "627011234");
    // A zip that is not nine digits keeps what it holds, for the encoder to refuse.
    EXPECT_EQ(ImbRoutingCode("1234", address, "", false), "1234");
    ImbBars bars;
    QString error;
    EXPECT_FALSE(EncodeIntelligentMail("01234567094987654321",
                                       ImbRoutingCode("1234", address, "", false), bars, error));
    EXPECT_TRUE(error.contains("ZIP")) << error.toStdString();
}
