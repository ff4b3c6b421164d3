#pragma once

#include <QValidator>

// Converts letters to upper case as they are typed or pasted into a line edit.
class UpperCaseValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
