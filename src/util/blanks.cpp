#include "util/blanks.h"

QString trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toString();
}

bool isBlankOnly(QStringView text) {
    for (QChar c : text)
        if (!isBlank(c))
            return false;
    return true;
}
