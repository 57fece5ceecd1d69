#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <optional>

#include "res/singer_editor_res.h"
#include "scenarios.h"
#include "screenshot.h"

namespace kora::testhost {
namespace {

struct ExpectedControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    int x, y, cx, cy;
};

// Dialog 101 as the dialog manager lays it out.
const ExpectedControl kSingerEditor[] = {
    {IDC_ACTIVE_LABEL, L"Static", L"Active Singers", 7, 7, 120, 10},
    {IDC_SEQUENCE_NAME, L"Static", L"Untitled", 7, 18, 213, 10},
    {IDC_ACTIVE_LIST, L"SysListView32", L"", 7, 31, 549, 88},
    {IDC_ACTIVE_ADD, L"Button", L"Add", 7, 126, 50, 14},
    {IDC_ACTIVE_COPY, L"Button", L"Copy", 61, 126, 50, 14},
    {IDC_ACTIVE_EDIT, L"Button", L"Edit", 115, 126, 50, 14},
    {IDC_ACTIVE_DELETE, L"Button", L"Delete", 169, 126, 50, 14},
    {IDC_COPY_TO_ACTIVE, L"Button", L"^  Copy to Active Singer", 158, 153, 120, 16},
    {IDC_COPY_TO_MY, L"Button", L"v  Copy to My Singer", 284, 153, 120, 16},
    {IDC_MY_LABEL, L"Static", L"My Singers", 7, 175, 120, 10},
    {IDC_MY_LIST, L"SysListView32", L"", 7, 192, 549, 88},
    {IDC_MY_ADD, L"Button", L"Add", 7, 287, 50, 14},
    {IDC_MY_COPY, L"Button", L"Copy", 61, 287, 50, 14},
    {IDC_MY_EDIT, L"Button", L"Edit", 115, 287, 50, 14},
    {IDC_MY_DELETE, L"Button", L"Delete", 169, 287, 50, 14},
    {IDC_IMPORT, L"Button", L"Import", 452, 287, 50, 14},
    {IDC_EXPORT, L"Button", L"Export", 506, 287, 50, 14},
    {IDOK, L"Button", L"OK", 225, 320, 50, 14},
    {IDCANCEL, L"Button", L"Cancel", 287, 320, 50, 14},
};

// The other texts and all templates are checked against the resource script
// natively; these show that the DLL's compiled table keeps blanks, "%d",
// bars and the rows past the first block.
const std::pair<UINT, const wchar_t*> kStrings[] = {
    {12, L"Do you really want to delete the singer? "},
    {31, L"Error occurred. (%d)"},
    {32, L"SingerEditor Setting File (*.dat)|*.dat|All Files (*.*)|*.*||"},
    {23080, L"Singer"},
};

// The manifest (resource 2) of a module active while this object lives,
// with the common controls of that context registered.
class ModuleStyles {
public:
    explicit ModuleStyles(HMODULE module) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(module, path, MAX_PATH);
        ACTCTXW request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.hModule = module;
        request.lpSource = path;
        request.lpResourceName = MAKEINTRESOURCEW(2);
        context_ = CreateActCtxW(&request);
        active_ = context_ != INVALID_HANDLE_VALUE && ActivateActCtx(context_, &cookie_);
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        controls_.emplace(L"comctl32.dll");  // loaded inside the context
        if (auto init = controls_->Function<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(
                "InitCommonControlsEx"))
            init(&classes);
    }
    ~ModuleStyles() {
        if (active_) DeactivateActCtx(0, cookie_);
        if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
    }
    ModuleStyles(const ModuleStyles&) = delete;
    ModuleStyles& operator=(const ModuleStyles&) = delete;
    bool active() const { return active_; }

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
    std::optional<Library> controls_;
};

INT_PTR CALLBACK RecordClicks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return message == WM_INITDIALOG;
    reinterpret_cast<std::vector<int>*>(GetWindowLongPtrW(hwnd, DWLP_USER))
        ->push_back(LOWORD(wParam));
    return TRUE;
}

void CheckResources(Checks& checks, HMODULE kora) {
    for (int dialog : {101, 23000, 23001})
        checks.Expect(FindResourceW(kora, MAKEINTRESOURCEW(dialog), RT_DIALOG) != nullptr,
                      "kora4.dll holds dialog template " + std::to_string(dialog));
    checks.Expect(FindResourceW(nullptr, MAKEINTRESOURCEW(101), RT_DIALOG) == nullptr,
                  "the host has no template 101 of its own");
    for (const auto& [id, text] : kStrings) {
        const wchar_t* loaded = nullptr;
        const int length = LoadStringW(kora, id, reinterpret_cast<LPWSTR>(&loaded), 0);
        checks.Equal(loaded ? std::wstring(loaded, static_cast<size_t>(length)) : L"", text,
                     "string " + std::to_string(id));
    }
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(kora, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path, &ignored));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    const bool read =
        !block.empty() &&
        GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()) &&
        VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &size) && info;
    checks.Expect(
        read && info->dwFileVersionMS == MAKELONG(3, 4) && info->dwFileVersionLS == MAKELONG(1, 0),
        "file version 4.3.0.1");
}

void CheckControls(Checks& checks, HWND dialog) {
    checks.Equal(WindowText(dialog), L"Singer Editor", "caption");
    for (const ExpectedControl& c : kSingerEditor) {
        HWND item = GetDlgItem(dialog, c.id);
        RECT origin = {c.x, c.y, 0, 0}, size = {c.cx, c.cy, 0, 0};  // each on its own, as the
        MapDialogRect(dialog, &origin);  // dialog manager converts a template's
        MapDialogRect(dialog, &size);
        const RECT want = {origin.left, origin.top, origin.left + size.left, origin.top + size.top};
        RECT got = {};
        GetWindowRect(item, &got);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        const bool isList = std::wstring(c.className) == L"SysListView32";
        checks.Expect(item && lstrcmpiW(ClassName(item).c_str(), c.className) == 0 &&
                          (isList || WindowText(item) == c.text) && IsWindowEnabled(item) &&
                          IsWindowVisible(item) && EqualRect(&want, &got),
                      "control " + std::to_string(c.id) + ": " + Narrow(ClassName(item)) + " \"" +
                          Narrow(WindowText(item)) + "\" at " + std::to_string(got.left) + "," +
                          std::to_string(got.top) + " " + std::to_string(got.right - got.left) +
                          "x" + std::to_string(got.bottom - got.top));
        if (!isList) continue;
        const auto style = static_cast<DWORD>(GetWindowLongW(item, GWL_STYLE));
        checks.Equal(style & 0xFFFF,
                     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOLABELWRAP,
                     "list " + std::to_string(c.id) + " styles");
        checks.Expect(WindowProcedureModule(item).find(L"common-controls") != std::wstring::npos,
                      "list " + std::to_string(c.id) + " of common controls 6 (" +
                          Narrow(WindowProcedureModule(item)) + ")");
    }
}

}  // namespace

void Template101(Checks& checks, const std::wstring& shots) {
    Library kora(L"kora4.dll");
    if (!checks.Expect(kora.get() != nullptr, "kora4.dll loads by name")) return;
    ModuleStyles styles(kora.get());
    checks.Expect(styles.active(), "kora4.dll's manifest (resource 2) activates");
    CheckResources(checks, kora.get());
    std::vector<int> clicks;
    HWND dialog = CreateDialogParamW(kora.get(), MAKEINTRESOURCEW(101), nullptr, RecordClicks,
                                     reinterpret_cast<LPARAM>(&clicks));
    if (!checks.Expect(dialog != nullptr, "dialog 101 opens from kora4.dll's resources")) return;
    ShowWindow(dialog, SW_SHOW);
    PumpMessages(100);
    CheckControls(checks, dialog);
    Click(dialog, IDC_MY_ADD);
    Click(dialog, IDOK);
    checks.Expect(clicks == std::vector<int>{IDC_MY_ADD, IDOK}, "clicks reach the dialog");
    checks.Expect(SaveScreenshot(dialog, shots, L"dialog-101"), "screenshot dialog-101.png");
    DestroyWindow(dialog);
}

}  // namespace kora::testhost
