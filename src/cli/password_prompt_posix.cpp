#include "cli/password_prompt.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace {

termios savedTerminal{};
volatile sig_atomic_t echoOff = 0;

void restoreAndExit(int signal) {
    if (echoOff)
        tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Turns echo off for its lifetime and keeps an interrupt from leaving it off.
class EchoOff {
public:
    EchoOff() {
        if (tcgetattr(STDIN_FILENO, &savedTerminal) != 0)
            return;
        oldInterrupt_ = std::signal(SIGINT, restoreAndExit);
        oldTerminate_ = std::signal(SIGTERM, restoreAndExit);
        termios quiet = savedTerminal;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0)
            echoOff = 1;
    }
    ~EchoOff() {
        if (echoOff)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
        echoOff = 0;
        if (oldInterrupt_ != SIG_ERR)
            std::signal(SIGINT, oldInterrupt_);
        if (oldTerminate_ != SIG_ERR)
            std::signal(SIGTERM, oldTerminate_);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    void (*oldInterrupt_)(int) = SIG_ERR;
    void (*oldTerminate_)(int) = SIG_ERR;
};

} // namespace

std::optional<QString> promptPassword(const QString& prompt) {
    if (!isatty(STDIN_FILENO))
        return std::nullopt;
    std::fputs(prompt.toUtf8().constData(), stderr);
    std::fflush(stderr);

    QByteArray answer;
    {
        EchoOff quiet;
        for (;;) {
            char c = 0;
            const ssize_t got = read(STDIN_FILENO, &c, 1);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0 || c == '\n')
                break;
            answer.append(c);
        }
    }
    if (answer.endsWith('\r'))
        answer.chop(1);
    return QString::fromUtf8(answer);
}
