// The one export of the toolkit probe DLL, called by the test host.
#pragma once

extern "C" {
// One verdict: passed or not, and what was checked (UTF-8).
typedef void (*ProbeReport)(int passed, const char* what);
// Runs every check, saving screenshots into `shotFolder`; the number of
// checks that failed.
typedef int (*PFN_ProbeToolkit)(ProbeReport report, const wchar_t* shotFolder);
}
