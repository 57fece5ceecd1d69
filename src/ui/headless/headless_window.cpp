#include "ui/headless/headless_window.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "model/row_model.h"
#include "model/text_codec.h"
#include "ui/format_text.h"
#include "ui/win_values.h"

namespace kora::ui::headless {
namespace {

constexpr uint32_t kLvsReport = 0x0001;
constexpr uint32_t kLvsNoColumnHeader = 0x4000;
constexpr uint32_t kCbsSort = 0x0100;
constexpr uint32_t kBsTypeMask = 0x000F;
constexpr uint32_t kBsGroupBox = 0x0007;
constexpr uint32_t kUdsSetBuddyInt = 0x0002;
constexpr uint32_t kUdsAutoBuddy = 0x0010;
constexpr uint32_t kLvifState = 0x0008;
constexpr int kHeaderHeight = 20;  // at 96 DPI, as the row height
constexpr int kRowHeight = 17;
constexpr int kWheelRows = 3;
constexpr int kEditLimitMax = 0x7FFFFFFE;

bool SameClass(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

ControlKind KindOf(const ControlTemplate& t) {
    if (SameClass(t.className, "Static")) return ControlKind::Static;
    if (SameClass(t.className, "Edit")) return ControlKind::Edit;
    if (SameClass(t.className, "ComboBox")) return ControlKind::ComboBox;
    if (SameClass(t.className, "SysListView32")) return ControlKind::ListView;
    if (SameClass(t.className, "msctls_updown32")) return ControlKind::UpDown;
    if (SameClass(t.className, "Button"))
        return (t.style & kBsTypeMask) == kBsGroupBox ? ControlKind::GroupBox : ControlKind::Button;
    return ControlKind::Other;
}

// Simple case folding for the sorted combo boxes: ASCII and Latin-1.
char16_t Fold(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    return c;
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = Fold(a[i]);
        const char16_t y = Fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The up-down control's reading of its buddy: an optional sign and decimal
// digits after optional leading blanks, nothing behind them. An empty text
// reads as 0, as the common control does.
std::optional<long long> ReadWholeNumber(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    if (i == text.size()) return text.empty() ? std::optional<long long>(0) : std::nullopt;
    bool negative = false;
    if (text[i] == u'+' || text[i] == u'-') negative = text[i++] == u'-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
        value = value * 10 + (text[i] - u'0');
        if (value > 0xFFFFFFFFLL) return std::nullopt;
    }
    return negative ? -value : value;
}

bool InRange(const ControlState& spin, long long value) {
    const int lo = std::min(spin.lower, spin.upper);
    const int hi = std::max(spin.lower, spin.upper);
    return value >= lo && value <= hi;
}

std::string IdText(int id) { return std::to_string(id); }

}  // namespace

bool ControlState::Enabled() const { return (style & kWsDisabled) == 0; }
bool ControlState::Visible() const { return (style & kWsVisible) != 0; }
bool ControlState::OwnerData() const {
    return kind == ControlKind::ListView && (style & kLvsOwnerData) != 0;
}

HeadlessWindow::HeadlessWindow(const DialogTemplate& source, Callbacks callbacks, int dpi)
    : source_(source), callbacks_(std::move(callbacks)), caption_(source.caption), dpi_(dpi) {
    controls_.reserve(source.controls.size());
    for (const ControlTemplate& t : source.controls) {
        ControlState c;
        c.source = &t;
        c.id = t.id;
        c.kind = KindOf(t);
        c.text = t.text;
        c.style = t.style;
        // 3/2 and 13/8 pixels per dialog unit at 96 DPI.
        c.widthPx = t.cx * 3 * dpi / (2 * kDefaultDpi);
        c.heightPx = t.cy * 13 * dpi / (8 * kDefaultDpi);
        if (c.kind == ControlKind::ComboBox || c.kind == ControlKind::ListView) c.text.clear();
        if (c.kind == ControlKind::UpDown && (t.style & kUdsAutoBuddy) && !controls_.empty())
            c.buddy = static_cast<int>(controls_.size()) - 1;
        controls_.push_back(std::move(c));
    }
}

// --- lookup ----------------------------------------------------------------

const ControlState* HeadlessWindow::Find(int id) const {
    for (const ControlState& c : controls_)
        if (c.id == id) return &c;
    return nullptr;
}

ControlState* HeadlessWindow::Find(int id) {
    return const_cast<ControlState*>(std::as_const(*this).Find(id));
}

ControlState* HeadlessWindow::FindRowHolder(int id) {
    ControlState* list = FindKind(id, ControlKind::ListView);
    return list && !list->OwnerData() ? list : nullptr;
}

const ControlState* HeadlessWindow::FindKind(int id, ControlKind kind) const {
    const ControlState* c = Find(id);
    return c && c->kind == kind ? c : nullptr;
}

ControlState* HeadlessWindow::FindKind(int id, ControlKind kind) {
    ControlState* c = Find(id);
    return c && c->kind == kind ? c : nullptr;
}

int HeadlessWindow::IndexOf(const ControlState& control) const {
    return static_cast<int>(&control - controls_.data());
}

std::string HeadlessWindow::UsableBy(const ControlState* control, int id, ControlKind kind,
                                     const char* what) const {
    if (!control) return "dialog " + IdText(source_.id) + " has no control " + IdText(id);
    if (control->kind != kind) return "control " + IdText(id) + " is not " + what;
    if (!control->Visible()) return "control " + IdText(id) + " is hidden";
    if (!control->Enabled()) return "control " + IdText(id) + " is disabled";
    return {};
}

// --- focus and notifications ------------------------------------------------

void HeadlessWindow::Notify(const NotifyEvent& event) {
    if (callbacks_.notify) callbacks_.notify(event);
}

void HeadlessWindow::MoveFocus(int index) {
    if (index == focused_) return;
    const int old = focused_;
    focused_ = index;
    if (old < 0) return;
    const ControlState& leaving = controls_[old];
    if (leaving.kind == ControlKind::Edit || leaving.kind == ControlKind::ComboBox)
        Notify({.controlId = leaving.id, .code = Notification::KillFocus});
}

void HeadlessWindow::FocusFirstTabStop() {
    for (const ControlState& c : controls_) {
        if (c.Visible() && c.Enabled() && (c.style & kWsTabStop)) {
            MoveFocus(IndexOf(c));
            return;
        }
    }
}

int HeadlessWindow::FocusedControlId() const { return focused_ < 0 ? 0 : controls_[focused_].id; }

void HeadlessWindow::Focus(int id) {
    if (ControlState* c = Find(id)) MoveFocus(IndexOf(*c));
}

std::u16string HeadlessWindow::Caption() const { return caption_; }
void HeadlessWindow::SetCaption(std::u16string_view text) { caption_ = text; }
int HeadlessWindow::Dpi() const { return dpi_; }
bool HeadlessWindow::HasControl(int id) const { return Find(id) != nullptr; }

void HeadlessWindow::End(int result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
}

std::intptr_t HeadlessWindow::Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return callbacks_.message ? callbacks_.message(message, wParam, lParam) : 0;
}

// --- children ----------------------------------------------------------------

bool HeadlessWindow::ForEachChild(const std::function<bool(ChildHandle)>& visit) {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (!visit(static_cast<ChildHandle>(i + 1))) return false;
    return true;
}

int HeadlessWindow::ChildId(ChildHandle child) const {
    return child >= 1 && child <= controls_.size() ? controls_[child - 1].id : 0;
}

void HeadlessWindow::SetChildText(ChildHandle child, std::u16string_view text) {
    if (child >= 1 && child <= controls_.size()) controls_[child - 1].text = text;
}

std::u16string HeadlessWindow::ChildText(ChildHandle child) const {
    return child >= 1 && child <= controls_.size() ? controls_[child - 1].text : std::u16string();
}

void HeadlessWindow::BindEvents(int id, ControlEvents& events) {
    if (ControlState* c = Find(id)) c->events = &events;
}

void HeadlessWindow::UnbindEvents(int id) {
    if (ControlState* c = Find(id)) c->events = nullptr;
}

// --- any control ---------------------------------------------------------------

std::u16string HeadlessWindow::Text(int id) const {
    const ControlState* c = Find(id);
    if (!c) return {};
    if (c->kind == ControlKind::ComboBox)
        return c->curSel >= 0 ? c->items[c->curSel].text : std::u16string();
    return c->text;
}

void HeadlessWindow::SetText(int id, std::u16string_view text) {
    ControlState* c = Find(id);
    if (c && c->kind != ControlKind::ComboBox && c->kind != ControlKind::ListView) c->text = text;
}

bool HeadlessWindow::IsEnabled(int id) const {
    const ControlState* c = Find(id);
    return c && c->Enabled();
}

void HeadlessWindow::Enable(int id, bool enabled) {
    ControlState* c = Find(id);
    if (!c) return;
    if (enabled) {
        c->style &= ~kWsDisabled;
    } else {
        c->style |= kWsDisabled;
        if (focused_ == IndexOf(*c)) MoveFocus(-1);  // a disabled window loses the focus
    }
}

uint32_t HeadlessWindow::Style(int id) const {
    const ControlState* c = Find(id);
    return c ? c->style : 0;
}

void HeadlessWindow::ModifyStyle(int id, uint32_t remove, uint32_t add) {
    if (ControlState* c = Find(id)) c->style = (c->style & ~remove) | add;
}

int HeadlessWindow::ClientWidth(int id) const {
    const ControlState* c = Find(id);
    if (!c) return 0;
    return std::max(0, c->widthPx - ((c->style & kWsBorder) ? 2 : 0));
}

// --- edit field ----------------------------------------------------------------

void HeadlessWindow::SetLimitText(int id, int chars) {
    if (ControlState* c = FindKind(id, ControlKind::Edit))
        c->limit = chars <= 0 ? kEditLimitMax : chars;
}

int HeadlessWindow::LimitText(int id) const {
    const ControlState* c = FindKind(id, ControlKind::Edit);
    return c ? c->limit : 0;
}

// --- list view ------------------------------------------------------------------

int HeadlessWindow::InsertColumn(int id, int column, std::u16string_view heading, int format,
                                 int width) {
    ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || column < 0) return -1;
    column = std::min<int>(column, static_cast<int>(list->columns.size()));
    // The leftmost column is always inserted left-aligned; only a later
    // column update can change its alignment.
    if (column == 0) format &= ~kLvcfmtJustifyMask;
    list->columns.insert(list->columns.begin() + column,
                         ListColumn{std::u16string(heading), format, width});
    for (ListRow& row : list->rows)
        if (static_cast<int>(row.texts.size()) > column)
            row.texts.insert(row.texts.begin() + column, std::u16string());
    return column;
}

int HeadlessWindow::ColumnCount(int id) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    return list ? static_cast<int>(list->columns.size()) : 0;
}

std::u16string HeadlessWindow::ColumnText(int id, int column) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || column < 0 || column >= static_cast<int>(list->columns.size())) return {};
    return list->columns[column].text;
}

int HeadlessWindow::ColumnWidth(int id, int column) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || column < 0 || column >= static_cast<int>(list->columns.size())) return 0;
    return list->columns[column].width;
}

int HeadlessWindow::ColumnFormat(int id, int column) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || column < 0 || column >= static_cast<int>(list->columns.size())) return -1;
    return list->columns[column].format;
}

bool HeadlessWindow::SetColumnFormat(int id, int column, int format) {
    ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || column < 0 || column >= static_cast<int>(list->columns.size())) return false;
    list->columns[column].format = format;
    return true;
}

int HeadlessWindow::ItemCount(int id) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    return list ? static_cast<int>(list->rows.size()) : 0;
}

int HeadlessWindow::InsertItem(int id, int row, std::u16string_view text) {
    ControlState* list = FindRowHolder(id);
    if (!list || row < 0) return -1;
    row = std::min<int>(row, static_cast<int>(list->rows.size()));
    ListRow item;
    item.texts.assign(std::max<size_t>(1, list->columns.size()), std::u16string());
    item.texts[0] = text;
    list->rows.insert(list->rows.begin() + row, std::move(item));
    if (list->selectionMark >= row) ++list->selectionMark;
    return row;
}

std::u16string HeadlessWindow::ItemText(int id, int row, int column) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || row < 0 || row >= static_cast<int>(list->rows.size()) || column < 0) return {};
    if (list->OwnerData()) {
        const bool shown = list->rowModel && column < static_cast<int>(list->columns.size());
        return shown ? list->rowModel->Text(row, column) : std::u16string();
    }
    const ListRow& item = list->rows[row];
    return column < static_cast<int>(item.texts.size()) ? item.texts[column] : std::u16string();
}

bool HeadlessWindow::SetItemText(int id, int row, int column, std::u16string_view text) {
    ControlState* list = FindRowHolder(id);
    if (!list || row < 0 || row >= static_cast<int>(list->rows.size()) || column < 0) return false;
    // Texts go to existing columns only (column 0 is the item's own text).
    if (column > 0 && column >= static_cast<int>(list->columns.size())) return false;
    ListRow& item = list->rows[row];
    if (static_cast<int>(item.texts.size()) <= column) item.texts.resize(column + 1);
    item.texts[column] = text;
    return true;
}

std::intptr_t HeadlessWindow::ItemData(int id, int row) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || row < 0 || row >= static_cast<int>(list->rows.size())) return 0;
    if (list->OwnerData()) return list->rowModel ? list->rowModel->ItemData(row) : 0;
    return list->rows[row].data;
}

bool HeadlessWindow::SetItemData(int id, int row, std::intptr_t data) {
    ControlState* list = FindRowHolder(id);
    if (!list || row < 0 || row >= static_cast<int>(list->rows.size())) return false;
    list->rows[row].data = data;
    return true;
}

uint32_t HeadlessWindow::ItemState(int id, int row, uint32_t mask) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || row < 0 || row >= static_cast<int>(list->rows.size())) return 0;
    return list->rows[row].state & mask;
}

void HeadlessWindow::ChangeRowState(ControlState& list, int row, uint32_t state) {
    // A handler of an earlier notice may have removed rows.
    if (row >= static_cast<int>(list.rows.size())) return;
    ListRow& item = list.rows[row];
    const uint32_t old = item.state;
    if (old == state) return;
    item.state = state;
    Notify({.controlId = list.id,
            .code = Notification::ItemChanged,
            .item = row,
            .subItem = 0,
            .oldState = old,
            .newState = state,
            .changed = kLvifState});
}

void HeadlessWindow::SetRowState(ControlState& list, int row, uint32_t state, uint32_t mask) {
    const uint32_t wanted = (list.rows[row].state & ~mask) | (state & mask);
    // One selected row in a single-selection list, one focused row in any.
    const int listIndex = IndexOf(list);
    for (int other = 0; other < static_cast<int>(list.rows.size()); ++other) {
        if (other == row) continue;
        uint32_t s = list.rows[other].state;
        if ((wanted & kLvisSelected) && (list.style & kLvsSingleSel)) s &= ~kLvisSelected;
        if (wanted & kLvisFocused) s &= ~kLvisFocused;
        ChangeRowState(controls_[listIndex], other, s);
    }
    ChangeRowState(controls_[listIndex], row, wanted);
}

bool HeadlessWindow::SetItemState(int id, int row, uint32_t state, uint32_t mask) {
    ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list) return false;
    if (row == -1) {
        for (int r = 0; r < static_cast<int>(list->rows.size()); ++r)
            ChangeRowState(*list, r, (list->rows[r].state & ~mask) | (state & mask));
        return true;
    }
    if (row < 0 || row >= static_cast<int>(list->rows.size())) return false;
    SetRowState(*list, row, state, mask);
    return true;
}

int HeadlessWindow::SelectionMark(int id) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    return list ? list->selectionMark : -1;
}

int HeadlessWindow::SetSelectionMark(int id, int row) {
    ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list) return -1;
    const int old = list->selectionMark;
    list->selectionMark = row;
    return old;
}

int HeadlessWindow::NextItem(int id, int start, uint32_t flags) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list) return -1;
    for (int r = std::max(0, start + 1); r < static_cast<int>(list->rows.size()); ++r)
        if ((list->rows[r].state & flags) == flags) return r;
    return -1;
}

int HeadlessWindow::VisibleRows(const ControlState& list, bool* partialRowShown) const {
    int height = list.heightPx - ((list.style & kWsBorder) ? 2 : 0);
    if ((list.style & kLvsReport) && !(list.style & kLvsNoColumnHeader))
        height -= ScaleForDpi(kHeaderHeight, dpi_);
    height = std::max(0, height);
    const int rowHeight = ScaleForDpi(kRowHeight, dpi_);
    if (partialRowShown) *partialRowShown = height % rowHeight != 0;
    return std::max(1, height / rowHeight);
}

void HeadlessWindow::ClampTop(ControlState& list) {
    const int maxTop = std::max(0, static_cast<int>(list.rows.size()) - VisibleRows(list, nullptr));
    list.topIndex = std::clamp(list.topIndex, 0, maxTop);
}

bool HeadlessWindow::EnsureVisible(int id, int row, bool partialOk) {
    ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || row < 0 || row >= static_cast<int>(list->rows.size())) return false;
    bool partial = false;
    const int page = VisibleRows(*list, &partial);
    if (row < list->topIndex) {
        list->topIndex = row;
    } else if (row >= list->topIndex + page) {
        const bool shownInPart = partial && row == list->topIndex + page;
        if (!(partialOk && shownInPart)) list->topIndex = row - page + 1;
    }
    return true;
}

int HeadlessWindow::TopIndex(int id) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    return list ? list->topIndex : 0;
}

int HeadlessWindow::CountPerPage(int id) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    return list ? VisibleRows(*list, nullptr) : 0;
}

uint32_t HeadlessWindow::ExtendedStyle(int id) const {
    const ControlState* list = FindKind(id, ControlKind::ListView);
    return list ? list->extendedStyle : 0;
}

void HeadlessWindow::SetExtendedStyle(int id, uint32_t style) {
    if (ControlState* list = FindKind(id, ControlKind::ListView)) list->extendedStyle = style;
}

bool HeadlessWindow::ShowRows(int id, RowModel* rows) {
    ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || !list->OwnerData()) return false;
    list->rowModel = rows;
    return true;
}

void HeadlessWindow::SetRowCount(int id, int count) {
    ControlState* list = FindKind(id, ControlKind::ListView);
    if (!list || !list->OwnerData()) return;
    list->rows.resize(static_cast<std::size_t>(std::max(0, count)));
    ClampTop(*list);
}

void HeadlessWindow::RedrawRows(int id, int first, int last) {
    ControlState* list = FindKind(id, ControlKind::ListView);
    if (list && first <= last) ++list->repaints;
}

// --- combo box ----------------------------------------------------------------

int HeadlessWindow::AddString(int id, std::u16string_view text) {
    ControlState* box = FindKind(id, ControlKind::ComboBox);
    if (!box) return -1;
    int at = static_cast<int>(box->items.size());
    if (box->style & kCbsSort) {
        auto later = std::upper_bound(box->items.begin(), box->items.end(), text,
                                      [](std::u16string_view t, const ComboItem& item) {
                                          return CompareNoCase(t, item.text) < 0;
                                      });
        at = static_cast<int>(later - box->items.begin());
    }
    box->items.insert(box->items.begin() + at, ComboItem{std::u16string(text), 0});
    if (box->curSel >= at) ++box->curSel;
    return at;
}

int HeadlessWindow::ComboCount(int id) const {
    const ControlState* box = FindKind(id, ControlKind::ComboBox);
    return box ? static_cast<int>(box->items.size()) : 0;
}

std::u16string HeadlessWindow::ComboText(int id, int index) const {
    const ControlState* box = FindKind(id, ControlKind::ComboBox);
    if (!box || index < 0 || index >= static_cast<int>(box->items.size())) return {};
    return box->items[index].text;
}

std::intptr_t HeadlessWindow::ComboData(int id, int index) const {
    const ControlState* box = FindKind(id, ControlKind::ComboBox);
    if (!box || index < 0 || index >= static_cast<int>(box->items.size())) return -1;
    return box->items[index].data;
}

bool HeadlessWindow::SetComboData(int id, int index, std::intptr_t data) {
    ControlState* box = FindKind(id, ControlKind::ComboBox);
    if (!box || index < 0 || index >= static_cast<int>(box->items.size())) return false;
    box->items[index].data = data;
    return true;
}

int HeadlessWindow::CurSel(int id) const {
    const ControlState* box = FindKind(id, ControlKind::ComboBox);
    return box ? box->curSel : -1;
}

int HeadlessWindow::SetCurSel(int id, int index) {
    ControlState* box = FindKind(id, ControlKind::ComboBox);
    if (!box) return -1;
    if (index == -1) {
        box->curSel = -1;
        return -1;
    }
    if (index < 0 || index >= static_cast<int>(box->items.size())) return -1;
    box->curSel = index;
    return index;
}

void HeadlessWindow::ResetContent(int id) {
    if (ControlState* box = FindKind(id, ControlKind::ComboBox)) {
        box->items.clear();
        box->curSel = -1;
    }
}

// --- up-down control ---------------------------------------------------------

void HeadlessWindow::SetRange32(int id, int lower, int upper) {
    if (ControlState* spin = FindKind(id, ControlKind::UpDown)) {
        spin->lower = lower;
        spin->upper = upper;
    }
}

std::pair<int, int> HeadlessWindow::Range32(int id) const {
    const ControlState* spin = FindKind(id, ControlKind::UpDown);
    return spin ? std::pair<int, int>{spin->lower, spin->upper} : std::pair<int, int>{0, 0};
}

void HeadlessWindow::ShowPosition(ControlState& spin) {
    if (spin.buddy >= 0 && (spin.style & kUdsSetBuddyInt))
        controls_[spin.buddy].text = DecimalText(spin.position);
}

int HeadlessWindow::SetPos32(int id, int position) {
    ControlState* spin = FindKind(id, ControlKind::UpDown);
    if (!spin) return 0;
    const int old = spin->position;
    spin->position = std::clamp(position, std::min(spin->lower, spin->upper),
                                std::max(spin->lower, spin->upper));
    ShowPosition(*spin);
    return old;
}

int HeadlessWindow::Pos32(int id) {
    ControlState* spin = FindKind(id, ControlKind::UpDown);
    if (!spin) return 0;
    if (spin->buddy >= 0 && (spin->style & kUdsSetBuddyInt)) {
        std::optional<long long> value = ReadWholeNumber(controls_[spin->buddy].text);
        if (value && InRange(*spin, *value)) spin->position = static_cast<int>(*value);
    }
    return spin->position;
}

int HeadlessWindow::BuddyId(int id) const {
    const ControlState* spin = FindKind(id, ControlKind::UpDown);
    return spin && spin->buddy >= 0 ? controls_[spin->buddy].id : 0;
}

// --- the user ------------------------------------------------------------------

std::string HeadlessWindow::UserClick(int id) {
    ControlState* button = Find(id);
    if (std::string why = UsableBy(button, id, ControlKind::Button, "a push button"); !why.empty())
        return why;
    MoveFocus(IndexOf(*button));
    Notify({.controlId = id, .code = Notification::Clicked});
    return {};
}

std::string HeadlessWindow::UserPressEnter() {
    // The default button answers Enter; the focus stays where it is.
    int id = kIdOk;
    for (const ControlState& c : controls_)
        if (c.kind == ControlKind::Button && (c.style & kBsTypeMask) == 0x1) id = c.id;
    const ControlState* button = Find(id);
    if (button && !button->Enabled()) return "the default button " + IdText(id) + " is disabled";
    Notify({.controlId = id, .code = Notification::Clicked});
    return {};
}

std::string HeadlessWindow::UserPressEscape() {
    Notify({.controlId = kIdCancel, .code = Notification::Clicked});
    return {};
}

std::string HeadlessWindow::UserSelectRow(int listId, int row) {
    ControlState* list = Find(listId);
    if (std::string why = UsableBy(list, listId, ControlKind::ListView, "a list view");
        !why.empty())
        return why;
    if (row < 0 || row >= static_cast<int>(list->rows.size()))
        return "list " + IdText(listId) + " has no row " + IdText(row) + " (it has " +
               IdText(static_cast<int>(list->rows.size())) + ")";
    const int index = IndexOf(*list);
    MoveFocus(index);
    SetRowState(controls_[index], row, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
    controls_[index].selectionMark = row;
    return {};
}

std::string HeadlessWindow::UserClearSelection(int listId) {
    ControlState* list = Find(listId);
    if (std::string why = UsableBy(list, listId, ControlKind::ListView, "a list view");
        !why.empty())
        return why;
    const int index = IndexOf(*list);
    MoveFocus(index);
    SetItemState(listId, -1, 0, kLvisSelected);
    return {};
}

std::string HeadlessWindow::UserDoubleClick(int listId, int row, int column) {
    ControlState* list = Find(listId);
    if (std::string why = UsableBy(list, listId, ControlKind::ListView, "a list view");
        !why.empty())
        return why;
    if (row >= 0 && (column < 0 || column >= static_cast<int>(list->columns.size())))
        return "list " + IdText(listId) + " has no column " + IdText(column);
    std::string why = row >= 0 ? UserSelectRow(listId, row) : UserClearSelection(listId);
    if (!why.empty()) return why;
    Notify({.controlId = listId, .code = Notification::DblClk, .item = row, .subItem = column});
    return {};
}

std::string HeadlessWindow::UserType(int editId, std::u16string_view text) {
    ControlState* edit = Find(editId);
    if (std::string why = UsableBy(edit, editId, ControlKind::Edit, "an edit field"); !why.empty())
        return why;
    const int index = IndexOf(*edit);
    MoveFocus(index);
    ControlState& field = controls_[index];
    field.text = text.substr(0, static_cast<size_t>(std::max(0, field.limit)));
    return {};
}

std::string HeadlessWindow::UserLeave(int editId) {
    const ControlState* edit = Find(editId);
    if (!edit) return "dialog " + IdText(source_.id) + " has no control " + IdText(editId);
    const int index = IndexOf(*edit);
    if (focused_ != index) return "control " + IdText(editId) + " does not have the focus";
    // Tab moves on to the next control that takes the focus.
    const int n = static_cast<int>(controls_.size());
    int next = -1;
    for (int step = 1; step < n && next < 0; ++step) {
        const ControlState& c = controls_[(index + step) % n];
        if (c.Visible() && c.Enabled() && (c.style & kWsTabStop)) next = (index + step) % n;
    }
    MoveFocus(next);
    return {};
}

std::string HeadlessWindow::UserChooseItem(int comboId, std::u16string_view text) {
    ControlState* box = Find(comboId);
    if (std::string why = UsableBy(box, comboId, ControlKind::ComboBox, "a combo box");
        !why.empty())
        return why;
    const int index = IndexOf(*box);
    int item = -1;
    for (int i = 0; i < static_cast<int>(box->items.size()) && item < 0; ++i)
        if (box->items[i].text == text) item = i;
    if (item < 0) {
        std::string items;
        for (const ComboItem& i : box->items) items += " \"" + EncodeUtf8(i.text) + "\"";
        return "combo box " + IdText(comboId) + " has no item \"" + EncodeUtf8(text) +
               "\"; it holds" + (items.empty() ? std::string(" nothing") : items);
    }
    MoveFocus(index);
    controls_[index].curSel = item;
    Notify({.controlId = comboId, .code = Notification::SelChange});
    return {};
}

std::string HeadlessWindow::UserClickSpin(int spinId, int delta) {
    ControlState* spin = Find(spinId);
    if (std::string why = UsableBy(spin, spinId, ControlKind::UpDown, "an up-down control");
        !why.empty())
        return why;
    // The arrows put the focus into the buddy field, then step from what
    // it holds.
    if (spin->buddy >= 0) MoveFocus(spin->buddy);
    const int from = Pos32(spinId);
    SetPos32(spinId, from + delta);
    return {};
}

namespace {

class ScrollDefault final : public DefaultProcessing {
public:
    explicit ScrollDefault(std::function<void()> action) : action_(std::move(action)) {}
    std::intptr_t operator()() override {
        if (!done_) {
            done_ = true;
            action_();
        }
        return 0;
    }

private:
    std::function<void()> action_;
    bool done_ = false;
};

}  // namespace

std::string HeadlessWindow::UserScroll(int listId, bool vertical, int lines) {
    ControlState* list = Find(listId);
    if (std::string why = UsableBy(list, listId, ControlKind::ListView, "a list view");
        !why.empty())
        return why;
    const int index = IndexOf(*list);
    ScrollDefault base([this, index, vertical, lines] {
        ControlState& l = controls_[index];
        if (vertical) {
            l.topIndex += lines;
            ClampTop(l);
        } else {
            l.horizontalOffset = std::max(0, l.horizontalOffset + lines * 8);
        }
    });
    if (ControlEvents* events = list->events) {
        if (vertical) {
            events->OnVScroll(base);
        } else {
            events->OnHScroll(base);
        }
    } else {
        base();
    }
    return {};
}

std::string HeadlessWindow::UserTurnWheel(int listId, WheelTurn turn) {
    ControlState* list = Find(listId);
    if (std::string why = UsableBy(list, listId, ControlKind::ListView, "a list view");
        !why.empty())
        return why;
    const int index = IndexOf(*list);
    ScrollDefault base([this, index, turn] {
        ControlState& l = controls_[index];
        l.topIndex += turn == WheelTurn::Down ? kWheelRows : -kWheelRows;
        ClampTop(l);
    });
    if (ControlEvents* events = list->events) {
        events->OnMouseWheel(base);
    } else {
        base();
    }
    return {};
}

HeadlessWindow* HeadlessWindowOf(const Dialog& dialog) {
    return dynamic_cast<HeadlessWindow*>(dialog.Window());
}

}  // namespace kora::ui::headless
