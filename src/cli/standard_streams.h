#pragma once

#include <QString>

#include <cstddef>

// The standard streams the program was started with.
struct StandardStreams {
    bool inputOpen = true;
    bool outputOpen = true;
};

// Whether the program was started with a standard input and output. A closed one's
// descriptor is given the null device at once, so that no file the run opens takes its
// number and gets the text meant for standard output, or is read as the profile "-". All
// three carry bytes unchanged (Windows would otherwise turn a line feed into CR LF).
StandardStreams holdStandardStreams();

// Whether standard output or standard error is a terminal (a console) a person watches.
bool standardOutputIsTerminal();
bool standardErrorIsTerminal();

// Writes the text to standard error: UTF-8, or to a Windows console as its characters
// (whatever its code page), which UTF-8 bytes would garble there.
void writeStandardError(const QString& text);

// Hands the bytes to standard error in one system call, past every buffer and without
// allocating: for the last words of a program out of memory.
void writeStandardErrorDirectly(const char* bytes, std::size_t size);
