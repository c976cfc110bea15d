// The Windows headers, for the Win32 backend's own files only. Include this
// after every header of the system: windows.h defines macros (WM_CLOSE, MB_OK,
// GetMessage, TextOut, ...) that would rename the system's own declarations.
// Its WPARAM (unsigned) is named WIN32_WPARAM here, beside the system's own.
#pragma once

#define WPARAM WIN32_WPARAM
#include <windows.h>
// After windows.h, which they build on.
#include <mmsystem.h>
#include <shellapi.h>
#undef WPARAM
