// The toolkit's side of one open dialog: what a dialog and its control
// wrappers ask of the window system, addressed by control id. The Win32
// toolkit answers with real windows and common controls, the in-memory
// toolkit with controls built from the same templates.
//
// Each operation maps onto one window message or call; none holds policy.
// An id that names no control of the dialog makes every operation fail
// softly: nothing changes and the failure value documented is returned.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace kora {
class RowModel;
}

namespace kora::ui {

class ControlEvents;

// A child window as an enumeration reports it; may name an unnamed label.
using ChildHandle = std::uintptr_t;

class DialogWindow {
public:
    virtual ~DialogWindow() = default;

    // The dialog itself.
    virtual void End(int result) = 0;
    virtual std::u16string Caption() const = 0;
    virtual void SetCaption(std::u16string_view text) = 0;
    virtual int FocusedControlId() const = 0;  // 0 when no control has the focus
    // The dots per inch the dialog is laid out at (96 at Windows' 100 %
    // setting, 144 at 150 %): its font, controls and metrics are in pixels
    // at this DPI.
    virtual int Dpi() const = 0;
    virtual std::intptr_t Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // Every child window, in creation order; stops when `visit` returns
    // false. Returns false when it was stopped.
    virtual bool ForEachChild(const std::function<bool(ChildHandle)>& visit) = 0;
    virtual int ChildId(ChildHandle child) const = 0;
    virtual void SetChildText(ChildHandle child, std::u16string_view text) = 0;
    virtual std::u16string ChildText(ChildHandle child) const = 0;
    // Routes the raw scroll and wheel input of a control to `events`, or
    // back to the control alone.
    virtual void BindEvents(int id, ControlEvents& events) = 0;
    virtual void UnbindEvents(int id) = 0;

    // Any control.
    virtual bool HasControl(int id) const = 0;
    virtual std::u16string Text(int id) const = 0;
    virtual void SetText(int id, std::u16string_view text) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void Enable(int id, bool enabled) = 0;
    virtual void Focus(int id) = 0;
    virtual uint32_t Style(int id) const = 0;
    virtual void ModifyStyle(int id, uint32_t remove, uint32_t add) = 0;
    virtual int ClientWidth(int id) const = 0;  // pixels; 0 when unknown

    // Edit field.
    virtual void SetLimitText(int id, int chars) = 0;
    virtual int LimitText(int id) const = 0;

    // List view. Rows and columns count from 0; failures give -1 or false.
    virtual int InsertColumn(int id, int column, std::u16string_view heading, int format,
                             int width) = 0;
    virtual int ColumnCount(int id) const = 0;
    virtual std::u16string ColumnText(int id, int column) const = 0;
    virtual int ColumnWidth(int id, int column) const = 0;
    virtual int ColumnFormat(int id, int column) const = 0;  // -1: no such column
    virtual bool SetColumnFormat(int id, int column, int format) = 0;
    virtual int ItemCount(int id) const = 0;
    virtual int InsertItem(int id, int row, std::u16string_view text) = 0;
    virtual std::u16string ItemText(int id, int row, int column) const = 0;
    virtual bool SetItemText(int id, int row, int column, std::u16string_view text) = 0;
    virtual std::intptr_t ItemData(int id, int row) const = 0;
    virtual bool SetItemData(int id, int row, std::intptr_t data) = 0;
    virtual uint32_t ItemState(int id, int row, uint32_t mask) const = 0;
    // Row -1: every row.
    virtual bool SetItemState(int id, int row, uint32_t state, uint32_t mask) = 0;
    virtual int SelectionMark(int id) const = 0;
    virtual int SetSelectionMark(int id, int row) = 0;  // the previous mark
    virtual int NextItem(int id, int start, uint32_t flags) const = 0;
    virtual bool EnsureVisible(int id, int row, bool partialOk) = 0;
    virtual int TopIndex(int id) const = 0;
    virtual int CountPerPage(int id) const = 0;
    virtual uint32_t ExtendedStyle(int id) const = 0;
    virtual void SetExtendedStyle(int id, uint32_t style) = 0;

    // Owner-data list view: its rows, their texts and item data come from
    // `rows` (null: from nothing any more); the control keeps only the count
    // it was last given and the states of its rows, by index. False when the
    // list has no owner-data style.
    virtual bool ShowRows(int id, RowModel* rows) = 0;
    // The number of rows; states beyond it are dropped, the others stay at
    // their index. The list keeps its scroll position.
    virtual void SetRowCount(int id, int count) = 0;
    // Repaints rows first..last where they are on screen.
    virtual void RedrawRows(int id, int first, int last) = 0;

    // Combo box. Indexes count from 0; failures give -1 (CB_ERR).
    virtual int AddString(int id, std::u16string_view text) = 0;
    virtual int ComboCount(int id) const = 0;
    virtual std::u16string ComboText(int id, int index) const = 0;
    virtual std::intptr_t ComboData(int id, int index) const = 0;
    virtual bool SetComboData(int id, int index, std::intptr_t data) = 0;
    virtual int CurSel(int id) const = 0;
    virtual int SetCurSel(int id, int index) = 0;  // -1 clears; returns the index or -1
    virtual void ResetContent(int id) = 0;

    // Up-down control.
    virtual void SetRange32(int id, int lower, int upper) = 0;
    virtual std::pair<int, int> Range32(int id) const = 0;
    virtual int SetPos32(int id, int position) = 0;  // the previous position
    // Re-reads the buddy field first: a whole number within the range becomes
    // the position; any other text leaves the position as it was.
    virtual int Pos32(int id) = 0;
    virtual int BuddyId(int id) const = 0;  // 0 when none
};

}  // namespace kora::ui
