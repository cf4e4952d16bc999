#pragma once

#include <QString>

// Rewrites the Jet date literals of a statement (#m/d/yyyy#) to quoted ISO dates
// ('yyyy-mm-dd'). Text inside string literals and bracketed names is left alone, and so is
// anything between number signs that is not a valid date.
QString RewriteJetDateLiterals(const QString& sql);

// Jet's LIKE on UTF-8 texts: "?" one character, "*" any run, "#" one digit, "[abc]",
// "[!abc]" and "[a-z]" one character of (or not of) a set; ASCII letters compare without
// case. A "[" without its "]" stands for itself.
bool JetLikeMatch(const char* pattern, const char* text);
