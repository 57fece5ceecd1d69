// The Win32 headers of the toolkit, in one place. Only files of src/ui/win32
// (and the module's DLL entry) include them.
#pragma once

#include <windows.h>
// Headers that need <windows.h> first.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <string_view>

// The seam keeps this name for its own string class.
#ifdef LoadString
#undef LoadString
#endif

namespace kora::ui::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");

inline std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string Utf16(const wchar_t* text, size_t length) {
    return std::u16string(text, text + length);
}

inline std::u16string Utf16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

}  // namespace kora::ui::win32
