#include "cli/standard_streams.h"

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

bool holdIfClosed(int descriptor, int flags) {
    if (fcntl(descriptor, F_GETFD) != -1)
        return true;
    const int held = open("/dev/null", flags);
    if (held >= 0 && held != descriptor) { // a lower one was closed too: filled in turn
        dup2(held, descriptor);
        close(held);
    }
    return false;
}

} // namespace

StandardStreams holdStandardStreams() {
    StandardStreams streams;
    streams.inputOpen = holdIfClosed(STDIN_FILENO, O_RDONLY);
    streams.outputOpen = holdIfClosed(STDOUT_FILENO, O_WRONLY);
    holdIfClosed(STDERR_FILENO, O_WRONLY);
    return streams;
}

bool standardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) == 1;
}

bool standardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

void writeStandardErrorDirectly(const char* bytes, std::size_t size) {
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, bytes, size);
}

void writeStandardError(const QString& text) {
    std::fputs(text.toUtf8().constData(), stderr);
    std::fflush(stderr);
}
