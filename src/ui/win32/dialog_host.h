// The module's dialogs that are open now, innermost last: the owner of a
// dialog opened without one, and of the message boxes and file dialogs.
#pragma once

#include "ui/win32/windows_api.h"

namespace kora::ui::win32 {

// The innermost open dialog of the module, else the thread's active window
// (the host's), else none.
HWND OwnerWindow();

}  // namespace kora::ui::win32
