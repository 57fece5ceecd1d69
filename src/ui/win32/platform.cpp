// The platform functions of the Windows build, on the module's own instance.
#include <vector>

#include "ui/toolkit.h"
#include "ui/win32/dialog_host.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/win32_window.h"
#include "ui/win32/windows_api.h"

namespace kora::ui {
namespace {

HINSTANCE Instance() { return static_cast<HINSTANCE>(win32::ModuleInstance()); }

std::optional<std::u16string> ModuleFileName(HMODULE module) {
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::vector<wchar_t> path(size, L'\0');
        const DWORD length = GetModuleFileNameW(module, path.data(), size);
        if (length == 0) return std::nullopt;
        if (length < size) return win32::Utf16(path.data(), length);
    }
    return std::nullopt;
}

// The module's base name serves as the caption of its message boxes.
std::wstring MessageCaption() {
    std::optional<std::u16string> path = ModuleFilePath();
    if (!path) return L"kora4";
    std::u16string name = path->substr(path->find_last_of(u"\\/") + 1);
    if (size_t dot = name.find_last_of(u'.'); dot != std::u16string::npos && dot > 0)
        name.erase(dot);
    return win32::Wide(name);
}

}  // namespace

std::optional<std::u16string> LoadStringResource(uint32_t id) {
    if (id > 0xFFFF) return std::nullopt;
    const wchar_t* text = nullptr;
    // A zero buffer size gives a pointer into the resource itself.
    const int length = LoadStringW(Instance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return std::nullopt;
    return win32::Utf16(text, static_cast<size_t>(length));
}

int ShowMessageBox(std::u16string_view text, uint32_t style) {
    return MessageBoxW(win32::OwnerWindow(), win32::Wide(text).c_str(), MessageCaption().c_str(),
                       style);
}

std::optional<std::u16string> DesktopFolder() {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOP, FALSE)) return std::nullopt;
    return win32::Utf16(std::wstring_view(path));
}

void OpenWebAddress(std::u16string_view address) {
    ShellExecuteW(nullptr, L"open", win32::Wide(address).c_str(), L"", L"", SW_SHOW);
}

std::optional<std::u16string> HostExecutablePath() { return ModuleFileName(nullptr); }

std::optional<std::u16string> ModuleFilePath() { return ModuleFileName(Instance()); }

std::optional<FileVersion> ModuleFileVersion() {
    std::optional<std::u16string> path = ModuleFilePath();
    if (!path) return std::nullopt;
    const std::wstring file = win32::Wide(*path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
}

int SystemMetric(int index) {
    // At the DPI of the dialog on top: a per-monitor aware host may show it
    // on a monitor of another DPI than the system's (GetSystemMetrics').
    using ForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = reinterpret_cast<ForDpiFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    if (!forDpi) return GetSystemMetrics(index);
    return forDpi(index, static_cast<UINT>(win32::WindowDpi(win32::OwnerWindow())));
}

}  // namespace kora::ui
