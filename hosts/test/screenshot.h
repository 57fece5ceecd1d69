// Screenshots of one window, taken from inside the process so no window
// manager or title bar is needed.
#pragma once

#include <windows.h>

#include <string>

#include "png_writer.h"

namespace kora::testhost {

// The window as it shows now: the screen where it lies (after handling the
// thread's pending messages so it is painted), or its own printing when it
// is hidden. An empty image on failure.
Image CaptureWindow(HWND window);

// Captures and writes `folder`\`name`.png; false on failure.
bool SaveScreenshot(HWND window, const std::wstring& folder, const std::wstring& name);

}  // namespace kora::testhost
