// The scenarios the test host runs, one per command-line name.
#pragma once

#include <string>

#include "checks.h"

namespace kora::testhost {

// Dialog 101 made from kora4.dll's own resources (not the host's): every
// control of its table with class, text, rectangle and enable state, the
// string table, the version and manifest resources; list reading and a
// click; a screenshot.
void Template101(Checks& checks, const std::wstring& shots);

// The Win32 toolkit of the seam on real windows, run inside the probe DLL.
void Toolkit(Checks& checks, const std::wstring& shots);

// The singer edit dialog and the cross-synthesis group list, the real
// classes run inside the dialogs probe DLL over a stand-in editor.
void Dialogs(Checks& checks, const std::wstring& shots);
// The Singer Editor through both dialog exports on the vbank4 and trak4
// stand-ins: columns, rows, the default mark, button states, OK, Cancel and
// a read-only pick, with the store and the sequence checked after each;
// screenshots.
void SingerEditor(Checks& checks, const std::wstring& shots);
// A singer added through the real edit dialog (the group list opened from
// it), then OK: the My list, the store and the library table; screenshots.
void SingerEditorAdd(Checks& checks, const std::wstring& shots);
// Export and Import of the Singer Editor opened by KORA_OpenDefDialog,
// through the platform's file dialogs: the bytes written, the rows taken,
// the store after OK; screenshots of both file dialogs.
void SingerFiles(Checks& checks, const std::wstring& shots);

}  // namespace kora::testhost
