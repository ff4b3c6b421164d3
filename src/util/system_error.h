#pragma once

#include <QString>

// The reason an operating-system call failed, in the words of the program's other messages:
// the C library's own texts are English in the C locale the program may run in. One table
// for every file the program reads or writes.
QString systemErrorText(int error);
