#include "window_driver.h"

#include <commctrl.h>

namespace kora::testhost {

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[128] = {};
    const int length = GetClassNameW(window, name, 128);
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::wstring ControlText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? WindowText(item) : std::wstring();
}

bool ControlEnabled(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item && IsWindowEnabled(item);
}

RECT ControlRect(HWND dialog, int id) {
    RECT rect = {};
    if (HWND item = GetDlgItem(dialog, id)) {
        GetWindowRect(item, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

RECT DialogUnitsToPixels(HWND dialog, int x, int y, int cx, int cy) {
    RECT origin = {x, y, 0, 0};
    RECT size = {cx, cy, 0, 0};
    MapDialogRect(dialog, &origin);
    MapDialogRect(dialog, &size);
    return {origin.left, origin.top, origin.left + size.left, origin.top + size.top};
}

std::wstring WindowProcedureModule(HWND control) {
    HMODULE module = nullptr;
    const auto procedure = GetWindowLongPtrW(control, GWLP_WNDPROC);
    if (!procedure || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                          reinterpret_cast<LPCWSTR>(procedure), &module))
        return {};
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, length);
}

std::vector<ListColumn> ListColumns(HWND dialog, int listId) {
    std::vector<ListColumn> columns;
    HWND list = GetDlgItem(dialog, listId);
    if (!list) return columns;
    for (int i = 0;; ++i) {
        wchar_t text[256] = {};
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = 256;
        if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&column)))
            break;
        columns.push_back({column.pszText, column.cx, column.fmt});
    }
    return columns;
}

std::vector<std::vector<std::wstring>> ListRows(HWND dialog, int listId) {
    std::vector<std::vector<std::wstring>> rows;
    HWND list = GetDlgItem(dialog, listId);
    if (!list) return rows;
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const size_t columns = ListColumns(dialog, listId).size();
    for (int r = 0; r < count; ++r) {
        std::vector<std::wstring> row;
        for (size_t c = 0; c < std::max<size_t>(columns, 1); ++c) {
            wchar_t text[1024] = {};
            LVITEMW item = {};
            item.iSubItem = static_cast<int>(c);
            item.pszText = text;
            item.cchTextMax = 1024;
            const auto n = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(r),
                                        reinterpret_cast<LPARAM>(&item));
            row.emplace_back(text, static_cast<size_t>(n));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void Click(HWND dialog, int buttonId) {
    if (HWND button = GetDlgItem(dialog, buttonId)) SendMessageW(button, BM_CLICK, 0, 0);
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

}  // namespace kora::testhost
