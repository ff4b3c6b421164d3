#pragma once

// Small pieces the module's writers build their lines from. Lines are built with
// QStringBuilder (operator%), as the package's are: each line sized once and every piece
// copied straight into it.

#include "model/generation_model.h"

#include <QString>
#include <QStringBuilder>

#include <algorithm>

namespace vbtext {

inline constexpr QStringView kTab = u"\t";
inline constexpr QStringView kTab2 = u"\t\t";
inline constexpr QChar kDq = u'"';
inline constexpr QChar kAp = u'\'';

inline QString rule(QChar c, int n) {
    return QString(n, c);
}

inline QString plus(int n) {
    return rule(u'+', n);
}

// Column pads keep "As", "=" and the values in one column within a table. The widest name
// still gets one blank, so a name can never run into the word after it.
inline QString pad(qint32 n) {
    return QString(std::max(n, 1), u' ');
}

inline QString quoted(const QString& text) {
    return kDq % text % kDq;
}

inline QString decimal(qint32 value) {
    return QString::number(value);
}

} // namespace vbtext
