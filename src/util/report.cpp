#include "util/report.h"

#include "util/app_info.h"

void Reporter::showError(const QString& text) {
    report(errorCaption(), MessageIcon::Error, MessageButtons::Ok, text);
}

MessageAnswer Reporter::showTitled(MessageIcon icon, MessageButtons buttons, const QString& text) {
    return report(applicationTitle(), icon, buttons, text);
}

QString generalErrorText(const QString& errorText) {
    if (!errorText.isEmpty() && errorText.back() > QLatin1Char('.'))
        return errorText + QLatin1Char('.');
    return errorText;
}
