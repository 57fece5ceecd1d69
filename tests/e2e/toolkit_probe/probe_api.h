// The one export of the toolkit probe DLL: runs every check, reporting each
// (UTF-8) and saving screenshots into `shotFolder`; the number that failed.
#pragma once

extern "C" {
typedef void (*ProbeReport)(int passed, const char* what);
typedef int (*PFN_ProbeToolkit)(ProbeReport report, const wchar_t* shotFolder);
}
