#include "util/integer_text.h"

#include <limits>

namespace {

std::optional<int> digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= '0' && u <= '9')
        value = u - '0';
    else if (u >= 'a' && u <= 'f')
        value = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        value = u - 'A' + 10;
    if (value < 0 || value >= base)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<qint32> parseInteger(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == QLatin1Char('$') || text[i] == QLatin1Char('x') ||
                            text[i] == QLatin1Char('X'))) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return std::nullopt;

    // Accumulate the magnitude; the negative limit is one larger than the positive one.
    const qint64 limit = negative ? qint64(std::numeric_limits<qint32>::max()) + 1
                                  : qint64(std::numeric_limits<qint32>::max());
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const auto digit = digitValue(text[i], base);
        if (!digit)
            return std::nullopt;
        magnitude = magnitude * base + *digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<qint32>(negative ? -magnitude : magnitude);
}

bool IsNumeric(const QString& text) {
    return parseInteger(text).has_value();
}
