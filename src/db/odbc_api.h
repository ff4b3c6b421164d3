#pragma once

// The ODBC API. Windows' <sql.h> uses the system's own types (HWND, DWORD) without
// including their header, which must come first there.
#ifdef _WIN32
#include <windows.h>
#endif

#include <sql.h>
#include <sqlext.h>
