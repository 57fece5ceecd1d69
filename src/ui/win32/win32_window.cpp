#include "ui/win32/win32_window.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "model/row_model.h"
#include "ui/control_events.h"
#include "ui/dpi.h"

namespace kora::ui::win32 {
namespace {

// The control's own handling, run at most once, for a handler that
// intercepts scroll and wheel input.
class ForwardToControl final : public DefaultProcessing {
public:
    ForwardToControl(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
        : hwnd_(hwnd), message_(message), wParam_(wParam), lParam_(lParam) {}
    std::intptr_t operator()() override {
        if (!done_) {
            done_ = true;
            result_ = DefSubclassProc(hwnd_, message_, wParam_, lParam_);
        }
        return result_;
    }
    bool Done() const { return done_; }

private:
    HWND hwnd_;
    UINT message_;
    WPARAM wParam_;
    LPARAM lParam_;
    bool done_ = false;
    LRESULT result_ = 0;
};

// An owner-data list stores no item data: the model's is given instead.
LRESULT GetItemWithData(HWND hwnd, const RowModel& rows, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefSubclassProc(hwnd, LVM_GETITEMW, wParam, lParam);
    auto* item = reinterpret_cast<LVITEMW*>(lParam);
    if (result && item && (item->mask & LVIF_PARAM))
        item->lParam = static_cast<LPARAM>(rows.ItemData(item->iItem));
    return result;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                             UINT_PTR subclassId, DWORD_PTR data) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ControlProc, subclassId);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    const auto* hooks = reinterpret_cast<const Win32Window::ControlHooks*>(data);
    if (message == LVM_GETITEMW && hooks->rows)
        return GetItemWithData(hwnd, *hooks->rows, wParam, lParam);
    if ((message != WM_VSCROLL && message != WM_HSCROLL && message != WM_MOUSEWHEEL) ||
        !hooks->events)
        return DefSubclassProc(hwnd, message, wParam, lParam);
    ControlEvents* events = hooks->events;
    ForwardToControl base(hwnd, message, wParam, lParam);
    try {
        if (message == WM_VSCROLL) return events->OnVScroll(base);
        if (message == WM_HSCROLL) return events->OnHScroll(base);
        return events->OnMouseWheel(base);
    } catch (...) {
        return base();  // the control still does its own work
    }
}

}  // namespace

int WindowDpi(HWND window) {
    // GetDpiForWindow (Windows 10 1607 and later) also knows the DPI of a
    // per-monitor aware host's window on another monitor; before it, a window
    // has the DPI of its device context.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
    if (dc) ReleaseDC(window, dc);
    return dpi > 0 ? dpi : kDefaultDpi;
}

std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    return Utf16(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

Win32Window::~Win32Window() {
    // Controls that outlive the dialog's window keep no hooks pointing here.
    for (const auto& hooks : hooks_) {
        if (IsWindow(hooks->hwnd)) RemoveWindowSubclass(hooks->hwnd, ControlProc, 1);
    }
}

HWND Win32Window::Item(int id) const {
    for (const auto& [known, item] : items_) {
        if (known == id) return item;
    }
    HWND item = GetDlgItem(hwnd_, id);
    items_.emplace_back(id, item);
    return item;
}

Win32Window::ControlHooks* Win32Window::HooksOf(int id) {
    for (const auto& hooks : hooks_) {
        if (hooks->id == id) return hooks.get();
    }
    HWND item = Item(id);
    if (!item) return nullptr;
    hooks_.push_back(std::make_unique<ControlHooks>(ControlHooks{id, item}));
    SetWindowSubclass(item, ControlProc, 1, reinterpret_cast<DWORD_PTR>(hooks_.back().get()));
    return hooks_.back().get();
}

const Win32Window::ControlHooks* Win32Window::FindHooks(int id) const {
    for (const auto& hooks : hooks_) {
        if (hooks->id == id) return hooks.get();
    }
    return nullptr;
}

LRESULT Win32Window::SendTo(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    HWND item = Item(id);
    return item ? SendMessageW(item, message, wParam, lParam) : 0;
}

// --- the dialog ---------------------------------------------------------------

void Win32Window::End(int result) { ::EndDialog(hwnd_, result); }

std::u16string Win32Window::Caption() const { return WindowText(hwnd_); }

void Win32Window::SetCaption(std::u16string_view text) {
    SetWindowTextW(hwnd_, Wide(text).c_str());
}

int Win32Window::FocusedControlId() const {
    HWND focus = GetFocus();
    // The focus may sit in a part of a control (a combo box's edit field).
    while (focus && GetParent(focus) != hwnd_) focus = GetParent(focus);
    return focus ? GetDlgCtrlID(focus) : 0;
}

int Win32Window::Dpi() const { return WindowDpi(hwnd_); }

std::intptr_t Win32Window::Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return SendMessageW(hwnd_, message, wParam, lParam);
}

namespace {

struct ChildWalk {
    const std::function<bool(ChildHandle)>& visit;
    bool stopped = false;
};

BOOL CALLBACK VisitChild(HWND child, LPARAM data) {
    auto& walk = *reinterpret_cast<ChildWalk*>(data);
    bool more = false;
    try {
        more = walk.visit(reinterpret_cast<ChildHandle>(child));
    } catch (...) {
        more = false;
    }
    walk.stopped = !more;
    return more ? TRUE : FALSE;
}

}  // namespace

bool Win32Window::ForEachChild(const std::function<bool(ChildHandle)>& visit) {
    ChildWalk walk{visit};
    EnumChildWindows(hwnd_, VisitChild, reinterpret_cast<LPARAM>(&walk));
    return !walk.stopped;
}

int Win32Window::ChildId(ChildHandle child) const {
    return GetDlgCtrlID(reinterpret_cast<HWND>(child));
}

void Win32Window::SetChildText(ChildHandle child, std::u16string_view text) {
    SetWindowTextW(reinterpret_cast<HWND>(child), Wide(text).c_str());
}

std::u16string Win32Window::ChildText(ChildHandle child) const {
    return WindowText(reinterpret_cast<HWND>(child));
}

void Win32Window::BindEvents(int id, ControlEvents& events) {
    if (ControlHooks* hooks = HooksOf(id)) hooks->events = &events;
}

void Win32Window::UnbindEvents(int id) {
    if (ControlHooks* hooks = HooksOf(id)) hooks->events = nullptr;
}

// --- any control -----------------------------------------------------------------

bool Win32Window::HasControl(int id) const { return Item(id) != nullptr; }

std::u16string Win32Window::Text(int id) const {
    HWND item = Item(id);
    return item ? WindowText(item) : std::u16string();
}

void Win32Window::SetText(int id, std::u16string_view text) {
    if (HWND item = Item(id)) SetWindowTextW(item, Wide(text).c_str());
}

bool Win32Window::IsEnabled(int id) const {
    HWND item = Item(id);
    return item && IsWindowEnabled(item);
}

void Win32Window::Enable(int id, bool enabled) {
    // Every selection change updates the buttons: leave alone what is right.
    HWND item = Item(id);
    if (item && (IsWindowEnabled(item) != FALSE) != enabled) EnableWindow(item, enabled);
}

void Win32Window::Focus(int id) {
    if (HWND item = Item(id)) SetFocus(item);
}

uint32_t Win32Window::Style(int id) const {
    HWND item = Item(id);
    return item ? static_cast<uint32_t>(GetWindowLongW(item, GWL_STYLE)) : 0;
}

void Win32Window::ModifyStyle(int id, uint32_t remove, uint32_t add) {
    HWND item = Item(id);
    if (!item) return;
    const auto style = static_cast<uint32_t>(GetWindowLongW(item, GWL_STYLE));
    SetWindowLongW(item, GWL_STYLE, static_cast<LONG>((style & ~remove) | add));
}

int Win32Window::ClientWidth(int id) const {
    RECT rect = {};
    HWND item = Item(id);
    return item && GetClientRect(item, &rect) ? rect.right - rect.left : 0;
}

// --- edit field --------------------------------------------------------------------

void Win32Window::SetLimitText(int id, int chars) {
    SendTo(id, EM_SETLIMITTEXT, static_cast<WPARAM>(chars < 0 ? 0 : chars));
}

int Win32Window::LimitText(int id) const { return static_cast<int>(SendTo(id, EM_GETLIMITTEXT)); }

// --- list view ----------------------------------------------------------------------

int Win32Window::InsertColumn(int id, int column, std::u16string_view heading, int format,
                              int width) {
    std::wstring text = Wide(heading);
    LVCOLUMNW c = {};
    c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    c.fmt = format;
    c.cx = width;
    c.pszText = text.data();
    c.iSubItem = column;
    HWND item = Item(id);
    return item ? ListView_InsertColumn(item, column, &c) : -1;
}

int Win32Window::ColumnCount(int id) const {
    HWND item = Item(id);
    HWND header = item ? ListView_GetHeader(item) : nullptr;
    return header ? Header_GetItemCount(header) : 0;
}

std::u16string Win32Window::ColumnText(int id, int column) const {
    HWND item = Item(id);
    if (!item) return {};
    std::vector<wchar_t> text(512, L'\0');
    LVCOLUMNW c = {};
    c.mask = LVCF_TEXT;
    c.pszText = text.data();
    c.cchTextMax = static_cast<int>(text.size());
    if (!ListView_GetColumn(item, column, &c)) return {};
    return Utf16(std::wstring_view(c.pszText));
}

int Win32Window::ColumnWidth(int id, int column) const {
    HWND item = Item(id);
    return item ? ListView_GetColumnWidth(item, column) : 0;
}

int Win32Window::ColumnFormat(int id, int column) const {
    HWND item = Item(id);
    LVCOLUMNW c = {};
    c.mask = LVCF_FMT;
    return item && ListView_GetColumn(item, column, &c) ? c.fmt : -1;
}

bool Win32Window::SetColumnFormat(int id, int column, int format) {
    HWND item = Item(id);
    LVCOLUMNW c = {};
    c.mask = LVCF_FMT;
    c.fmt = format;
    return item && ListView_SetColumn(item, column, &c);
}

int Win32Window::ItemCount(int id) const { return static_cast<int>(SendTo(id, LVM_GETITEMCOUNT)); }

int Win32Window::InsertItem(int id, int row, std::u16string_view text) {
    HWND item = Item(id);
    if (!item) return -1;
    std::wstring wide = Wide(text);
    LVITEMW i = {};
    i.mask = LVIF_TEXT;
    i.iItem = row;
    i.pszText = wide.data();
    return ListView_InsertItem(item, &i);
}

std::u16string Win32Window::ItemText(int id, int row, int column) const {
    HWND item = Item(id);
    if (!item) return {};
    // The list copies at most the buffer less one; grow until it fits.
    for (int size = 256;; size *= 2) {
        std::vector<wchar_t> text(static_cast<size_t>(size), L'\0');
        LVITEMW i = {};
        i.iSubItem = column;
        i.pszText = text.data();
        i.cchTextMax = size;
        const auto copied = static_cast<int>(SendMessageW(
            item, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&i)));
        if (copied < size - 1 || size >= (1 << 20))
            return Utf16(text.data(), static_cast<size_t>(copied));
    }
}

bool Win32Window::SetItemText(int id, int row, int column, std::u16string_view text) {
    std::wstring wide = Wide(text);
    LVITEMW i = {};
    i.iSubItem = column;
    i.pszText = wide.data();
    return SendTo(id, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&i)) !=
           0;
}

std::intptr_t Win32Window::ItemData(int id, int row) const {
    LVITEMW i = {};
    i.mask = LVIF_PARAM;
    i.iItem = row;
    return SendTo(id, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&i)) ? i.lParam : 0;
}

bool Win32Window::SetItemData(int id, int row, std::intptr_t data) {
    LVITEMW i = {};
    i.mask = LVIF_PARAM;
    i.iItem = row;
    i.lParam = data;
    return SendTo(id, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&i)) != 0;
}

uint32_t Win32Window::ItemState(int id, int row, uint32_t mask) const {
    return static_cast<uint32_t>(SendTo(id, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

bool Win32Window::SetItemState(int id, int row, uint32_t state, uint32_t mask) {
    LVITEMW i = {};
    i.stateMask = mask;
    i.state = state;
    return SendTo(id, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&i)) !=
           0;
}

int Win32Window::SelectionMark(int id) const {
    return Item(id) ? static_cast<int>(SendTo(id, LVM_GETSELECTIONMARK)) : -1;
}

int Win32Window::SetSelectionMark(int id, int row) {
    return Item(id) ? static_cast<int>(SendTo(id, LVM_SETSELECTIONMARK, 0, row)) : -1;
}

int Win32Window::NextItem(int id, int start, uint32_t flags) const {
    return Item(id)
               ? static_cast<int>(SendTo(id, LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags))
               : -1;
}

bool Win32Window::EnsureVisible(int id, int row, bool partialOk) {
    return SendTo(id, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOk ? TRUE : FALSE) != 0;
}

int Win32Window::TopIndex(int id) const { return static_cast<int>(SendTo(id, LVM_GETTOPINDEX)); }

int Win32Window::CountPerPage(int id) const {
    return static_cast<int>(SendTo(id, LVM_GETCOUNTPERPAGE));
}

uint32_t Win32Window::ExtendedStyle(int id) const {
    return static_cast<uint32_t>(SendTo(id, LVM_GETEXTENDEDLISTVIEWSTYLE));
}

void Win32Window::SetExtendedStyle(int id, uint32_t style) {
    SendTo(id, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
}

bool Win32Window::ShowRows(int id, RowModel* rows) {
    // A list is virtual from its creation on, or never.
    if (!(Style(id) & LVS_OWNERDATA)) return false;
    ControlHooks* hooks = HooksOf(id);
    if (!hooks) return false;
    hooks->rows = rows;
    return true;
}

void Win32Window::SetRowCount(int id, int count) {
    // Only what is on screen from the first changed row on is repainted.
    SendTo(id, LVM_SETITEMCOUNT, static_cast<WPARAM>(std::max(0, count)),
           LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void Win32Window::RedrawRows(int id, int first, int last) {
    HWND item = Item(id);
    if (!item) return;
    // A range is repainted row by row: keep it to the rows on screen.
    const auto top = static_cast<int>(SendMessageW(item, LVM_GETTOPINDEX, 0, 0));
    const auto page = static_cast<int>(SendMessageW(item, LVM_GETCOUNTPERPAGE, 0, 0));
    first = std::max(first, top);
    last = std::min(last, top + page);  // the row shown in part below the page
    if (first <= last) SendMessageW(item, LVM_REDRAWITEMS, first, last);
}

namespace {

void CopyText(const std::u16string& text, wchar_t* buffer, int size) {
    if (!buffer || size <= 0) return;
    const size_t length = std::min(text.size(), static_cast<size_t>(size - 1));
    std::wmemcpy(buffer, reinterpret_cast<const wchar_t*>(text.data()), length);
    buffer[length] = L'\0';
}

}  // namespace

bool Win32Window::AnswerRowQuery(const NMHDR& header, LRESULT& result) const {
    if (header.code != LVN_GETDISPINFOW && header.code != LVN_ODFINDITEMW &&
        header.code != LVN_ODCACHEHINT)
        return false;
    const ControlHooks* hooks = FindHooks(static_cast<int>(header.idFrom));
    if (!hooks || !hooks->rows || hooks->hwnd != header.hwndFrom) return false;
    const RowModel& rows = *hooks->rows;
    result = 0;
    if (header.code == LVN_GETDISPINFOW) {
        auto& item =
            const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
        if (item.mask & LVIF_TEXT)
            CopyText(rows.Text(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
    } else if (header.code == LVN_ODFINDITEMW) {
        const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
        const bool wrap = (find.lvfi.flags & LVFI_WRAP) != 0;
        if (find.lvfi.flags & LVFI_PARAM) {
            result = rows.FindItemData(static_cast<uint32_t>(find.lvfi.lParam), find.iStart, wrap);
        } else if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.lvfi.psz) {
            const std::u16string text = Utf16(std::wstring_view(find.lvfi.psz));
            result = rows.FindName(text, (find.lvfi.flags & LVFI_PARTIAL) != 0, find.iStart, wrap);
        } else {
            result = -1;
        }
    }
    return true;
}

// --- combo box -------------------------------------------------------------------

int Win32Window::AddString(int id, std::u16string_view text) {
    if (!Item(id)) return -1;
    const std::wstring wide = Wide(text);
    const auto index =
        static_cast<int>(SendTo(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
    return index < 0 ? -1 : index;
}

int Win32Window::ComboCount(int id) const {
    const auto count = static_cast<int>(SendTo(id, CB_GETCOUNT));
    return count < 0 ? 0 : count;
}

std::u16string Win32Window::ComboText(int id, int index) const {
    if (!Item(id)) return {};
    const auto length = static_cast<int>(SendTo(id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = static_cast<int>(SendTo(id, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                                reinterpret_cast<LPARAM>(text.data())));
    return copied > 0 ? Utf16(text.data(), static_cast<size_t>(copied)) : std::u16string();
}

std::intptr_t Win32Window::ComboData(int id, int index) const {
    return Item(id) ? SendTo(id, CB_GETITEMDATA, static_cast<WPARAM>(index)) : CB_ERR;
}

bool Win32Window::SetComboData(int id, int index, std::intptr_t data) {
    return Item(id) && SendTo(id, CB_SETITEMDATA, static_cast<WPARAM>(index), data) != CB_ERR;
}

int Win32Window::CurSel(int id) const {
    return Item(id) ? static_cast<int>(SendTo(id, CB_GETCURSEL)) : -1;
}

int Win32Window::SetCurSel(int id, int index) {
    return Item(id) ? static_cast<int>(SendTo(id, CB_SETCURSEL, static_cast<WPARAM>(index))) : -1;
}

void Win32Window::ResetContent(int id) { SendTo(id, CB_RESETCONTENT); }

// --- up-down control ---------------------------------------------------------------

void Win32Window::SetRange32(int id, int lower, int upper) {
    SendTo(id, UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

std::pair<int, int> Win32Window::Range32(int id) const {
    INT lower = 0;
    INT upper = 0;
    SendTo(id, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    return {lower, upper};
}

int Win32Window::SetPos32(int id, int position) {
    return static_cast<int>(SendTo(id, UDM_SETPOS32, 0, position));
}

int Win32Window::Pos32(int id) {
    BOOL failed = FALSE;
    return static_cast<int>(SendTo(id, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
}

int Win32Window::BuddyId(int id) const {
    auto buddy = reinterpret_cast<HWND>(SendTo(id, UDM_GETBUDDY));
    return buddy ? GetDlgCtrlID(buddy) : 0;
}

}  // namespace kora::ui::win32
