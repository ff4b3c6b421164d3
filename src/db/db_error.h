#pragma once

#include <QString>

#include <stdexcept>

// Every failure of the database layer: the driver's text, or ours in the same words.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};
