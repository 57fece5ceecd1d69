// Screenshots of one window, taken from inside the process: no window
// manager or title bar needed.
#pragma once

#include <windows.h>

#include <string>

namespace kora::testhost {

// Writes the window as it shows now to `folder`\`name`.png; false on failure.
bool SaveScreenshot(HWND window, const std::wstring& folder, const std::wstring& name);

}  // namespace kora::testhost
