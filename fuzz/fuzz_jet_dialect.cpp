// The Jet dialect: date literals rewritten in any statement text, and Jet's LIKE on any
// pattern and text.

#include "database/jet_dialect.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string pattern = input.ConsumeRandomLengthString(256);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const QString sql = QString::fromUtf8(text.data(), int(text.size()));
    const QString rewritten = RewriteJetDateLiterals(sql);
    // Rewriting removes only number signs; a second pass finds nothing left to change.
    FUZZ_CHECK(rewritten.count(QLatin1Char('#')) <= sql.count(QLatin1Char('#')));
    FUZZ_CHECK(RewriteJetDateLiterals(rewritten) == rewritten);

    // The engine hands the function texts without embedded NULs.
    const std::string p = pattern.substr(0, pattern.find('\0'));
    const std::string t = text.substr(0, text.find('\0'));
    const bool matched = JetLikeMatch(p.c_str(), t.c_str());
    FUZZ_CHECK(JetLikeMatch("*", t.c_str()));
    // A pattern with no wildcard and no bracket matches exactly its own text.
    if (p.find_first_of("?*#[") == std::string::npos)
        FUZZ_CHECK(JetLikeMatch(p.c_str(), p.c_str()));
    // "*" before or after a pattern never loses a match.
    if (matched) {
        FUZZ_CHECK(JetLikeMatch(("*" + p).c_str(), t.c_str()));
        FUZZ_CHECK(JetLikeMatch((p + "*").c_str(), t.c_str()));
    }
    return 0;
}
