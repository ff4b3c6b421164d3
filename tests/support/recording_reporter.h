#pragma once

#include "util/report.h"

#include <QList>
#include <QString>

// A Reporter for tests: records every message and answers questions from a queue
// (Yes when the queue is empty).
class RecordingReporter : public Reporter {
public:
    struct Message {
        QString caption;
        MessageIcon icon;
        MessageButtons buttons;
        QString text;
    };

    MessageAnswer report(const QString& caption, MessageIcon icon, MessageButtons buttons,
                         const QString& text) override;
    void beginBusy() override;
    void endBusy() override;

    QList<Message> messages;
    QList<MessageAnswer> answers; // taken from the front for Yes/No questions
    int busyDepth = 0;
    int busyPeak = 0;

    QStringList texts() const;
};
