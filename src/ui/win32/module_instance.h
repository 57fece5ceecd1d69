// The module whose resources the Win32 toolkit uses: this DLL, never the
// host's executable.
#pragma once

namespace kora::ui::win32 {

// This module's instance handle (an HINSTANCE), found from the address of
// the toolkit's own code, so it is right from the first call.
void* ModuleInstance();

}  // namespace kora::ui::win32
