#include "gen/plsql/plsql_text.h"

QString lowerAscii(QStringView text) {
    QString out(text.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        *d++ = (u >= u'A' && u <= u'Z') ? QChar(char16_t(u + (u'a' - u'A'))) : c;
    }
    return out;
}

void dropLastCharacter(LineSink& lines) {
    if (lines.isEmpty())
        return;
    QString& last = lines.last();
    if (!last.isEmpty())
        last.chop(1);
}
