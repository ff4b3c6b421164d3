#include "ui/messages.h"

#include "ui/seams.h"

#include "gen/gen_messages.h"
#include "util/app_info.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <new>

namespace {

Reporter* installedReporter = nullptr;

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer MessageBoxReporter::report(const QString& caption, MessageIcon icon,
                                         MessageButtons buttons, const QString& text) {
    const bool question = buttons != MessageButtons::Ok;
    QMessageBox box(boxIcon(icon), caption, text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setDefaultButton(!question                                   ? QMessageBox::Ok
                         : buttons == MessageButtons::YesNoDefaultNo ? QMessageBox::No
                                                                     : QMessageBox::Yes);
    // Qt's button texts are English without its translations.
    if (question) {
        box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    }
    // The hourglass of a running operation must not hide the pointer over the buttons.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = execModal(box);
    QApplication::restoreOverrideCursor();
    if (!question)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void MessageBoxReporter::beginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void MessageBoxReporter::endBusy() {
    QApplication::restoreOverrideCursor();
}

Reporter& messages() {
    static MessageBoxReporter messageBoxes;
    return installedReporter ? *installedReporter : messageBoxes;
}

Reporter* setMessages(Reporter* reporter) {
    return std::exchange(installedReporter, reporter);
}

void showGeneralError(const QString& errorText) {
    messages().report(applicationTitle(), MessageIcon::Error, MessageButtons::Ok,
                      generalErrorText(errorText));
}

void showGeneralError(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error))
        showGeneralError(outOfMemoryText());
    else
        showGeneralError(QString::fromUtf8(error.what()));
}

void showUnknownGeneralError() {
    showGeneralError(QStringLiteral("予期しないエラーが発生しました"));
}
