#include "ui/widgets/typing_limit.h"

#include <QLineEdit>
#include <QVariant>

#include <algorithm>

namespace {

const char* const kLimitProperty = "typingLimit";

int typingLimit(const QLineEdit* edit) {
    const QVariant limit = edit->property(kLimitProperty);
    return limit.isValid() ? limit.toInt() : 32767;
}

} // namespace

void setTypingLimit(QLineEdit* edit, int limit) {
    const bool first = !edit->property(kLimitProperty).isValid();
    edit->setProperty(kLimitProperty, limit);
    edit->setMaxLength(std::max(limit, int(edit->text().size())));
    if (first)
        QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
            edit->setMaxLength(std::max(typingLimit(edit), int(text.size())));
        });
}

void setTextWhole(QLineEdit* edit, const QString& text) {
    edit->setMaxLength(std::max(typingLimit(edit), int(text.size())));
    edit->setText(text);
}
