#include "ui/widgets/upper_case_validator.h"

QValidator::State UpperCaseValidator::validate(QString& input, int& position) const {
    Q_UNUSED(position);
    // Character by character, so the length and the cursor position stay as they were.
    for (QChar& c : input)
        c = c.toUpper();
    return Acceptable;
}
