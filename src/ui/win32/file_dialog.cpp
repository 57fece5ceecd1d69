// The Vista-style common item dialogs for opening and saving a file.
#include <utility>
#include <vector>

#include "ui/toolkit.h"
#include "ui/win32/dialog_host.h"
#include "ui/win32/windows_api.h"

namespace kora::ui {
namespace {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    void** Out() { return reinterpret_cast<void**>(&p_); }
    T** OutTyped() { return &p_; }

private:
    T* p_ = nullptr;
};

class ComApartment {
public:
    ComApartment()
        : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();  // S_FALSE too: it was counted
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

// Owns a text the shell allocated; freed once, so it cannot be copied.
class CoTaskText {
public:
    CoTaskText() = default;
    CoTaskText(CoTaskText&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    CoTaskText(const CoTaskText&) = delete;
    CoTaskText& operator=(const CoTaskText&) = delete;
    ~CoTaskText() { CoTaskMemFree(text_); }
    PWSTR* Out() { return &text_; }
    PCWSTR get() const { return text_; }

private:
    PWSTR text_ = nullptr;
};

// "Name|pattern|Name|pattern||" into its pairs.
std::vector<std::pair<std::wstring, std::wstring>> FilterPairs(std::u16string_view filter) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start < filter.size()) {
        size_t bar = filter.find(u'|', start);
        if (bar == std::u16string_view::npos) bar = filter.size();
        if (bar == start) break;  // "||" ends the list
        parts.push_back(win32::Wide(filter.substr(start, bar - start)));
        start = bar + 1;
    }
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

FILEOPENDIALOGOPTIONS OptionsFor(uint32_t ofn) {
    FILEOPENDIALOGOPTIONS options = FOS_FORCEFILESYSTEM;
    if (ofn & OFN_OVERWRITEPROMPT) options |= FOS_OVERWRITEPROMPT;
    if (ofn & OFN_PATHMUSTEXIST) options |= FOS_PATHMUSTEXIST;
    if (ofn & OFN_FILEMUSTEXIST) options |= FOS_FILEMUSTEXIST;
    if (ofn & OFN_NOCHANGEDIR) options |= FOS_NOCHANGEDIR;
    return options;
}

std::optional<std::u16string> Show(const FileDialogRequest& request) {
    ComApartment com;
    ComPtr<IFileDialog> dialog;
    const CLSID& kind =
        request.kind == FileDialogKind::Open ? CLSID_FileOpenDialog : CLSID_FileSaveDialog;
    if (FAILED(
            CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog, dialog.Out())))
        return std::nullopt;

    const auto pairs = FilterPairs(request.filter);
    std::vector<COMDLG_FILTERSPEC> filters;
    filters.reserve(pairs.size());
    for (const auto& [name, pattern] : pairs) filters.push_back({name.c_str(), pattern.c_str()});
    if (!filters.empty()) {
        dialog->SetFileTypes(static_cast<UINT>(filters.size()), filters.data());
        dialog->SetFileTypeIndex(1);
    }
    if (!request.defaultExtension.empty())
        dialog->SetDefaultExtension(win32::Wide(request.defaultExtension).c_str());
    dialog->SetOptions(OptionsFor(request.options));
    if (request.initialFolder) {
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(win32::Wide(*request.initialFolder).c_str(),
                                                  nullptr, IID_IShellItem, folder.Out())))
            dialog->SetFolder(folder.get());
    }
    if (FAILED(dialog->Show(win32::OwnerWindow()))) return std::nullopt;  // cancelled too
    ComPtr<IShellItem> chosen;
    if (FAILED(dialog->GetResult(chosen.OutTyped()))) return std::nullopt;
    CoTaskText path;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, path.Out())) || !path.get())
        return std::nullopt;
    return win32::Utf16(std::wstring_view(path.get()));
}

}  // namespace

std::optional<std::u16string> ShowFileDialog(const FileDialogRequest& request) {
    try {
        return Show(request);
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace kora::ui
