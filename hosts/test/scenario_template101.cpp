#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "library.h"
#include "res/singer_editor_res.h"
#include "scenarios.h"
#include "screenshot.h"
#include "window_driver.h"

namespace kora::testhost {
namespace {

struct ExpectedControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    int x, y, cx, cy;
};

// Dialog 101 as the user must see it.
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

const std::pair<UINT, const wchar_t*> kStrings[] = {
    {5, L"Enter a singer name."},
    {6, L"Failed to copy singer, or cannot copy any more singers!"},
    {7, L"Failed to add singer, or cannot add any more singers!"},
    {8, L"Cannot delete the singer!"},
    {9, L"Failed to change voice parameters!"},
    {10, L"Failed to change singer name!"},
    {11, L"Singer name is invalid."},
    {12, L"Do you really want to delete the singer? "},
    {21, L"Copy of "},
    {25, L"Failed to edit file!"},
    {29, L"Cannot add any more singers!"},
    {30, L"Cannot copy any more singers!"},
    {31, L"Error occurred. (%d)"},
    {32, L"SingerEditor Setting File (*.dat)|*.dat|All Files (*.*)|*.*||"},
    {33, L"Finished importing my singer information file."},
    {34, L"Finished exporting my singer information file."},
    {35, L"Failed to read my singer information file!"},
    {36, L"Failed to write my singer information file!"},
    {23077, L"Name"},
    {23078, L"Primary Singer"},
    {23079, L"Secondary Singer"},
    {23080, L"Singer"},
    {23084, L"Add"},
    {23085, L"Edit"},
};

struct HostDialog {
    std::vector<int> commands;
};

INT_PTR CALLBACK HostDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return TRUE;
    }
    auto* state = reinterpret_cast<HostDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (message == WM_COMMAND && state && HIWORD(wParam) == BN_CLICKED) {
        state->commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

bool SameClass(std::wstring a, std::wstring b) {
    auto lower = [](std::wstring s) {
        for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
        return s;
    };
    return lower(std::move(a)) == lower(std::move(b));
}

std::string Id(int id) { return "control " + std::to_string(id); }

void CheckResources(Checks& checks, HMODULE kora) {
    for (int dialog : {101, 23000, 23001}) {
        checks.Expect(FindResourceW(kora, MAKEINTRESOURCEW(dialog), MAKEINTRESOURCEW(5)) != nullptr,
                      "kora4.dll holds dialog template " + std::to_string(dialog));
    }
    checks.Expect(FindResourceW(nullptr, MAKEINTRESOURCEW(101), MAKEINTRESOURCEW(5)) == nullptr,
                  "the host has no template 101 of its own");
    for (const auto& [id, text] : kStrings) {
        const wchar_t* loaded = nullptr;
        const int length = LoadStringW(kora, id, reinterpret_cast<LPWSTR>(&loaded), 0);
        checks.ExpectEqual(loaded ? std::wstring(loaded, static_cast<size_t>(length)) : L"", text,
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
    if (checks.Expect(read, "kora4.dll has a version resource")) {
        const std::wstring version = std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." +
                                     std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
                                     std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." +
                                     std::to_wstring(LOWORD(info->dwFileVersionLS));
        checks.ExpectEqual(version, L"4.3.0.1", "file version");
    }
}

void CheckControls(Checks& checks, HWND dialog) {
    checks.ExpectEqual(WindowText(dialog), L"Singer Editor", "caption");
    for (const ExpectedControl& c : kSingerEditor) {
        HWND item = GetDlgItem(dialog, c.id);
        if (!checks.Expect(item != nullptr, Id(c.id) + " exists")) continue;
        checks.Expect(
            SameClass(ClassName(item), c.className),
            Id(c.id) + " is a " + Narrow(c.className) + " (" + Narrow(ClassName(item)) + ")");
        if (!SameClass(c.className, L"SysListView32"))
            checks.ExpectEqual(ControlText(dialog, c.id), c.text, Id(c.id) + " text");
        checks.Expect(ControlEnabled(dialog, c.id) && IsWindowVisible(item),
                      Id(c.id) + " is enabled and shown");
        const RECT want = DialogUnitsToPixels(dialog, c.x, c.y, c.cx, c.cy);
        const RECT got = ControlRect(dialog, c.id);
        checks.Expect(EqualRect(&want, &got) != FALSE,
                      Id(c.id) + " lies at its dialog-unit rectangle (" + std::to_string(got.left) +
                          "," + std::to_string(got.top) + " " +
                          std::to_string(got.right - got.left) + "x" +
                          std::to_string(got.bottom - got.top) + ")");
    }
    for (int list : {IDC_ACTIVE_LIST, IDC_MY_LIST}) {
        const auto style = static_cast<DWORD>(GetWindowLongW(GetDlgItem(dialog, list), GWL_STYLE));
        checks.ExpectEqual(style & 0xFFFF,
                           LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOLABELWRAP,
                           Id(list) + " list styles");
        // The dialog manager draws a template's WS_BORDER as a sunken client edge.
        const auto exStyle =
            static_cast<DWORD>(GetWindowLongW(GetDlgItem(dialog, list), GWL_EXSTYLE));
        checks.Expect((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE),
                      Id(list) + " has a border");
        const std::wstring library = WindowProcedureModule(GetDlgItem(dialog, list));
        checks.Expect(library.find(L"common-controls") != std::wstring::npos,
                      Id(list) + " comes from common controls 6 (" + Narrow(library) + ")");
        checks.Expect(ListColumns(dialog, list).empty() && ListRows(dialog, list).empty(),
                      Id(list) + " starts without columns and rows");
    }
}

// The reading functions against rows put in by window messages.
void CheckListReading(Checks& checks, HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_ACTIVE_LIST);
    const wchar_t* headers[] = {L"Name", L"BRE"};
    for (int c = 0; c < 2; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = const_cast<wchar_t*>(headers[c]);
        column.cx = c == 0 ? 180 : 35;
        column.fmt = c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c),
                     reinterpret_cast<LPARAM>(&column));
    }
    const wchar_t* cells[2][2] = {{L"Alto", L"-12"}, {L"Bass", L"64"}};
    for (int r = 0; r < 2; ++r) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<wchar_t*>(cells[r][0]);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(cells[r][1]);
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(r),
                     reinterpret_cast<LPARAM>(&item));
    }
    const auto columns = ListColumns(dialog, IDC_ACTIVE_LIST);
    if (checks.ExpectEqual(static_cast<long long>(columns.size()), 2, "list columns read back")) {
        checks.ExpectEqual(columns[1].text, L"BRE", "column 1 header");
        checks.ExpectEqual(columns[1].width, 35, "column 1 width");
        checks.ExpectEqual(columns[1].format & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT,
                           "column 1 right-aligned");
    }
    const auto rows = ListRows(dialog, IDC_ACTIVE_LIST);
    checks.Expect(
        rows == std::vector<std::vector<std::wstring>>{{L"Alto", L"-12"}, {L"Bass", L"64"}},
        "list rows read back");
}

}  // namespace

void Template101(Checks& checks, const std::wstring& shots) {
    Library kora(L"kora4.dll");
    if (!checks.Expect(static_cast<bool>(kora), "kora4.dll loads by name")) return;
    ModuleStyles styles(kora.get());
    checks.Expect(styles.active(), "kora4.dll's manifest (resource 2) activates");
    CheckResources(checks, kora.get());

    HostDialog state;
    HWND dialog = CreateDialogParamW(kora.get(), MAKEINTRESOURCEW(101), nullptr, HostDialogProc,
                                     reinterpret_cast<LPARAM>(&state));
    if (!checks.Expect(dialog != nullptr, "dialog 101 opens from kora4.dll's resources")) return;
    ShowWindow(dialog, SW_SHOW);
    PumpMessages(100);

    CheckControls(checks, dialog);
    CheckListReading(checks, dialog);
    Click(dialog, IDC_MY_ADD);
    Click(dialog, IDOK);
    checks.Expect(state.commands == std::vector<int>{IDC_MY_ADD, IDOK}, "clicks reach the dialog");
    PumpMessages(50);
    checks.Expect(SaveScreenshot(dialog, shots, L"dialog-101"), "screenshot dialog-101.png saved");
    DestroyWindow(dialog);
}

}  // namespace kora::testhost
