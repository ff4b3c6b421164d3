#pragma once

#include "util/report.h"

#include <QString>

#include <functional>

// A Reporter for a program without windows: every message becomes a line on standard error
// (through write), and questions take their safe answer, No, since nobody can be asked.
class StderrReporter : public Reporter {
public:
    explicit StderrReporter(std::function<void(const QString&)> write);

    MessageAnswer report(const QString& caption, MessageIcon icon, MessageButtons buttons,
                         const QString& text) override;

    int errorCount() const { return errorCount_; }

private:
    std::function<void(const QString&)> write_;
    int errorCount_ = 0;
};

// "tamsel-gen: text", then each line of the detail indented, each line ending in LF.
QString toolMessage(const QString& text, const QString& detail = QString());
