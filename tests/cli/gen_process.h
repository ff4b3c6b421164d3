#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// One run of the built tamsel-gen executable.
struct GenRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// The environment every run gets unless a test says otherwise: Tokyo time, a Japanese
// locale, a fixed SOURCE_DATE_EPOCH (2001-05-12 14:03:09 in Tokyo, a Saturday), no
// TAMSEL_PASSWORD. A value of an empty QString() in env removes the variable.
QMap<QString, QString> pinnedEnvironment();

// Runs tamsel-gen with the arguments, the pinned environment changed by env, and standard
// input closed (never a terminal); with an address space of at most addressSpace bytes
// when it is not 0.
GenRun runGen(const QStringList& arguments, const QMap<QString, QString>& env = {},
              qint64 addressSpace = 0);

// As runGen, with input on standard input and, unless it is empty, folder as the working
// folder.
GenRun runGenWithInput(const QStringList& arguments, const QByteArray& input,
                       const QString& folder = {});

// The moment SOURCE_DATE_EPOCH pins, as the header writes it in Tokyo with Japanese
// weekday names.
inline constexpr const char* kPinnedEpoch = "989643789";
