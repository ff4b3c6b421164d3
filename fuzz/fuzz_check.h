#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// A property a fuzz target checks. When it does not hold, the input is a fault: the
// property and the details go to standard error and the process aborts, which libFuzzer
// records as a crash together with the input, and the replay driver as a failed test.
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzzFail(#condition, __FILE__, __LINE__, (detail));                                    \
    } while (false)

[[noreturn]] inline void fuzzFail(const char* condition, const char* file, int line,
                                  const QString& detail) {
    std::fprintf(stderr, "%s:%d: does not hold: %s\n%s\n", file, line, condition,
                 qUtf8Printable(detail));
    std::abort();
}

// The text with every character outside printable ASCII as \uXXXX, so a message shows
// exactly which characters were involved.
inline QString escaped(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out;
}
