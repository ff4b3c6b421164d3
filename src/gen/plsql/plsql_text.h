#pragma once

// Small pieces the package's section writers build their lines from. Lines are built with
// QStringBuilder (operator%), which sizes each line once and copies every piece straight
// into it; on a package of several megabytes that is most of the generator's time.

#include "util/line_sink.h"

#include <QString>
#include <QStringBuilder>
#include <QStringView>

// A run of blanks as one piece of a line; a count of zero or below gives none.
struct Blanks {
    qsizetype count;
};

template <> struct QConcatenable<Blanks> {
    using type = Blanks;
    using ConvertTo = QString;
    enum { ExactSize = true };
    static qsizetype size(Blanks b) { return b.count > 0 ? b.count : 0; }
    static void appendTo(Blanks b, QChar*& out) {
        for (qsizetype i = 0; i < b.count; ++i)
            *out++ = QLatin1Char(' ');
    }
};

// The text with A-Z turned into a-z and every other character, full-width letters
// included, left as it is.
QString lowerAscii(QStringView text);

// Drops the last character of the last line (the comma after a list's last entry).
void dropLastCharacter(LineSink& lines);
