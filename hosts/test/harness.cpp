#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kora::testhost {

bool Checks::Expect(bool passed, const std::string& what) {
    ++count;
    if (!passed) ++failures;
    if (report) return report(passed ? 1 : 0, what.c_str()), passed;
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    return passed;
}

bool Checks::Equal(const std::wstring& actual, const std::wstring& expected,
                   const std::string& what) {
    return Expect(actual == expected, what + " (\"" + Narrow(actual) + "\")");
}

bool Checks::Equal(long long actual, long long expected, const std::string& what) {
    return Expect(actual == expected, what + " (" + std::to_string(actual) + ")");
}

std::string Narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring Join(const std::vector<std::wstring>& texts) {
    std::wstring joined;
    for (size_t i = 0; i < texts.size(); ++i) joined += (i == 0 ? L"" : L"|") + texts[i];
    return joined;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::wstring ControlText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

bool ControlEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }

int CountEnabled(HWND dialog, const std::vector<int>& ids) {
    int n = 0;
    for (int id : ids) n += ControlEnabled(dialog, id) ? 1 : 0;
    return n;
}

std::wstring WindowProcedureModule(HWND control) {
    HMODULE module = nullptr;
    const auto procedure = GetWindowLongPtrW(control, GWLP_WNDPROC);
    if (!procedure || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                          reinterpret_cast<LPCWSTR>(procedure), &module))
        return {};
    wchar_t path[MAX_PATH] = {};
    return std::wstring(path, GetModuleFileNameW(module, path, MAX_PATH));
}

std::vector<std::vector<std::wstring>> ListRows(HWND dialog, int listId, int first, int count) {
    HWND list = GetDlgItem(dialog, listId);
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const int columns = std::max(Header_GetItemCount(ListView_GetHeader(list)), 1);
    const int end = count < 0 ? rows : std::min(rows, first + count);
    std::vector<std::vector<std::wstring>> texts;
    for (int r = std::max(first, 0); r < end; ++r) {
        std::vector<std::wstring> row;
        for (int c = 0; c < columns; ++c) {
            wchar_t text[1024] = {};
            ListView_GetItemText(list, r, c, text, 1024);
            row.emplace_back(text);
        }
        texts.push_back(std::move(row));
    }
    return texts;
}

LPARAM RowData(HWND list, int row) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

std::vector<std::wstring> ListRow(HWND dialog, int listId, int row) {
    auto rows = ListRows(dialog, listId, row, 1);
    return rows.empty() ? std::vector<std::wstring>() : std::move(rows.front());
}

std::wstring ColumnsOf(HWND dialog, int listId) {
    std::vector<std::wstring> columns;
    wchar_t text[256] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = text;
    column.cchTextMax = 256;
    for (WPARAM i = 0;
         SendDlgItemMessageW(dialog, listId, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
         ++i) {
        const int align = column.fmt & LVCFMT_JUSTIFYMASK;
        columns.push_back(text + (L"/" + std::to_wstring(column.cx)) +
                          (align == LVCFMT_RIGHT    ? L"r"
                           : align == LVCFMT_CENTER ? L"c"
                                                    : L"l"));
    }
    return Join(columns);
}

int SelectedRow(HWND dialog, int listId) {
    return static_cast<int>(SendDlgItemMessageW(dialog, listId, LVM_GETNEXTITEM,
                                                static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

void PostClick(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void Type(HWND dialog, int id, const std::wstring& text) {
    HWND field = GetDlgItem(dialog, id);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : text) SendMessageW(field, WM_CHAR, c, 1);
}

bool Choose(HWND dialog, int id, const std::wstring& text) {
    HWND box = GetDlgItem(dialog, id);
    const auto item = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text.c_str()));
    if (item == CB_ERR) return false;
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    return true;
}

void PumpMessages(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ms) Sleep(10);
    } while (ms && static_cast<LONG>(until - GetTickCount()) > 0);
}

namespace {

BOOL CALLBACK TakeDialog(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && ClassName(window) == L"#32770")
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

struct Player {
    Checks* checks = nullptr;
    std::vector<Step> steps;
    size_t next = 0;
    int waited = 0;
    bool busy = false;
    bool abandoned = false;
};
Player* player = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Player* p = player;
    if (!p || p->busy) return;  // a screenshot pumps messages, this timer's too
    p->busy = true;
    if (p->abandoned) {
        for (HWND window : ThreadDialogs()) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    } else if (p->next < p->steps.size()) {
        if (p->steps[p->next].act()) {
            ++p->next;
            p->waited = 0;
        } else if (++p->waited > 300) {
            p->checks->Expect(false, "waiting for " + p->steps[p->next].name + " timed out");
            p->abandoned = true;
        }
    }
    p->busy = false;
}

}  // namespace

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindDialog(const wchar_t* caption, HWND owner) {
    for (HWND window : ThreadDialogs())
        if ((!caption || WindowText(window) == caption) &&
            (!owner || GetWindow(window, GW_OWNER) == owner))
            return window;
    return nullptr;
}

void PlaySteps(Checks& checks, std::vector<Step> steps, const std::function<void()>& open) {
    Player p{&checks, std::move(steps)};
    player = &p;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, Tick);
    open();
    KillTimer(nullptr, timer);
    player = nullptr;
    checks.Equal(static_cast<long long>(p.next), static_cast<long long>(p.steps.size()),
                 "steps of the user played");
}

Step InEditor(std::function<void(HWND)> act) {
    return {"the Singer Editor", [act] {
                HWND editor = FindDialog(L"Singer Editor");
                if (!editor || ThreadDialogs().size() != 1) return false;
                PumpMessages(200);
                act(editor);
                return true;
            }};
}

ScratchFolder::ScratchFolder(const std::wstring& tag) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    root = std::filesystem::path(temp) / (tag + std::to_wstring(GetCurrentProcessId()));
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}

Workspace::Workspace(Checks& checks, const std::wstring& tag) : ScratchFolder(tag) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    database = root / L"vbank4";
    sequence = root / L"sequence.json";
    std::error_code ec;
    std::filesystem::copy(std::filesystem::path(exe).parent_path() / L"e2e-data", root,
                          std::filesystem::copy_options::recursive, ec);
    ready = checks.Expect(!ec && exists(database / L"store.json") && exists(sequence),
                          "samples copied into " + Narrow(root.wstring()) + " " + ec.message());
    _wputenv_s(L"VBANK4_HOME", database.c_str());
}

std::string Workspace::StoreBytes() const {
    std::ifstream file(database / L"store.json", std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

}  // namespace kora::testhost
