#include "support/recording_reporter.h"

#include <algorithm>

MessageAnswer RecordingReporter::report(const QString& caption, MessageIcon icon,
                                        MessageButtons buttons, const QString& text) {
    messages.append({caption, icon, buttons, text});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answers.isEmpty() ? MessageAnswer::Yes : answers.takeFirst();
}

void RecordingReporter::beginBusy() {
    ++busyDepth;
    busyPeak = std::max(busyPeak, busyDepth);
}

void RecordingReporter::endBusy() {
    --busyDepth;
}

QStringList RecordingReporter::texts() const {
    QStringList result;
    for (const Message& m : messages)
        result.append(m.text);
    return result;
}
