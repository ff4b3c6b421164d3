#pragma once

#include <QString>
#include <QStringList>

#include <utility>

// Where a generator's lines go, one by one: a list the preview shows, or an encoder that
// writes them out as they come. A writer may still change the line it appended last (to
// drop the comma after a list's last entry); every earlier line may be gone already.
class LineSink {
public:
    virtual ~LineSink() = default;

    virtual void append(QString line) = 0;
    // The line appended last; there must be one.
    virtual QString& last() = 0;
    // Nothing appended yet.
    virtual bool isEmpty() const = 0;

    LineSink& operator<<(QString line) {
        append(std::move(line));
        return *this;
    }
};

// The lines kept in a list.
class LineList final : public LineSink {
public:
    void append(QString line) override { lines_.append(std::move(line)); }
    QString& last() override { return lines_.last(); }
    bool isEmpty() const override { return lines_.isEmpty(); }

    const QStringList& lines() const { return lines_; }
    QStringList takeLines() { return std::move(lines_); }

private:
    QStringList lines_;
};
