#include "cli/standard_streams.h"

#include <cstdio>
#include <string>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

bool holdIfClosed(int descriptor, int flags) {
    if (_get_osfhandle(descriptor) != -1) {
        _setmode(descriptor, _O_BINARY);
        return true;
    }
    const int held = _open("NUL", flags | _O_BINARY);
    if (held >= 0 && held != descriptor) {
        _dup2(held, descriptor);
        _close(held);
    }
    return false;
}

bool isConsole(DWORD stream) {
    DWORD mode = 0;
    const HANDLE handle = GetStdHandle(stream);
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

} // namespace

StandardStreams holdStandardStreams() {
    StandardStreams streams;
    streams.inputOpen = holdIfClosed(0, _O_RDONLY);
    streams.outputOpen = holdIfClosed(1, _O_WRONLY);
    holdIfClosed(2, _O_WRONLY);
    return streams;
}

bool standardOutputIsTerminal() {
    return isConsole(STD_OUTPUT_HANDLE);
}

bool standardErrorIsTerminal() {
    return isConsole(STD_ERROR_HANDLE);
}

void writeStandardErrorDirectly(const char* bytes, std::size_t size) {
    _write(2, bytes, unsigned(size));
}

void writeStandardError(const QString& text) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error != INVALID_HANDLE_VALUE && error != nullptr && GetConsoleMode(error, &mode)) {
        std::fflush(stderr);
        const std::wstring wide = text.toStdWString();
        DWORD written = 0;
        WriteConsoleW(error, wide.data(), DWORD(wide.size()), &written, nullptr);
        return;
    }
    std::fputs(text.toUtf8().constData(), stderr);
    std::fflush(stderr);
}
