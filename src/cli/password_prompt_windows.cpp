#include "cli/password_prompt.h"

#include <cstdio>
#include <string>

#include <windows.h>

namespace {

HANDLE consoleInput = INVALID_HANDLE_VALUE;
DWORD savedMode = 0;
volatile LONG echoOff = 0;

// Ctrl+C and a closed console window end the program on another thread: the console gets
// its echo back first.
BOOL WINAPI restoreOnInterrupt(DWORD) {
    if (InterlockedExchange(&echoOff, 0))
        SetConsoleMode(consoleInput, savedMode);
    return FALSE; // the next handler (the default one) ends the program
}

// Turns echo off for its lifetime and keeps an interrupt from leaving it off.
class EchoOff {
public:
    explicit EchoOff(HANDLE input) {
        consoleInput = input;
        if (!GetConsoleMode(input, &savedMode))
            return;
        SetConsoleCtrlHandler(restoreOnInterrupt, TRUE);
        const DWORD quiet =
            (savedMode & ~DWORD(ENABLE_ECHO_INPUT)) | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT;
        if (SetConsoleMode(input, quiet))
            InterlockedExchange(&echoOff, 1);
    }
    ~EchoOff() {
        if (InterlockedExchange(&echoOff, 0))
            SetConsoleMode(consoleInput, savedMode);
        SetConsoleCtrlHandler(restoreOnInterrupt, FALSE);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;
};

// Console text goes in UTF-16, whatever the console's code page.
void writeError(const QString& text) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    const std::wstring wide = text.toStdWString();
    DWORD written = 0;
    if (error != INVALID_HANDLE_VALUE && GetConsoleMode(error, &mode)) {
        WriteConsoleW(error, wide.data(), DWORD(wide.size()), &written, nullptr);
    } else {
        std::fputs(text.toUtf8().constData(), stderr);
        std::fflush(stderr);
    }
}

} // namespace

std::optional<QString> promptPassword(const QString& prompt) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input == INVALID_HANDLE_VALUE || input == nullptr || !GetConsoleMode(input, &mode))
        return std::nullopt; // not a console
    writeError(prompt);

    std::wstring answer;
    {
        EchoOff quiet(input);
        for (;;) {
            wchar_t c = 0;
            DWORD got = 0;
            if (!ReadConsoleW(input, &c, 1, &got, nullptr) || got == 0 || c == L'\n')
                break;
            answer.push_back(c);
        }
    }
    writeError(QStringLiteral("\n")); // the Enter the console did not echo
    if (!answer.empty() && answer.back() == L'\r')
        answer.pop_back();
    return QString::fromStdWString(answer);
}
