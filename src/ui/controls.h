// Thin wrappers of a dialog's controls, found by id. A wrapper is a handle:
// it resolves the control through its dialog on every call, so it may be
// made before the dialog opens and kept after it closes; while the dialog
// is not open (or the id names no control) every call does nothing and
// gives the failure value of its operation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "ui/win_values.h"

namespace kora {
class RowModel;
}

namespace kora::ui {

class Dialog;
class DialogWindow;

class ControlRef {
public:
    ControlRef() = default;
    ControlRef(Dialog& dialog, int id) : dialog_(&dialog), id_(id) {}

    int Id() const { return id_; }

    std::u16string Text() const;
    void SetText(std::u16string_view text);
    bool IsEnabled() const;
    void Enable(bool enabled = true);
    void SetFocus();
    uint32_t Style() const;
    void ModifyStyle(uint32_t remove, uint32_t add);
    int ClientWidth() const;

protected:
    DialogWindow* Window() const;
    Dialog* OwningDialog() const { return dialog_; }
    void Retarget(Dialog& dialog, int id) {
        dialog_ = &dialog;
        id_ = id;
    }

private:
    Dialog* dialog_ = nullptr;
    int id_ = 0;
};

using Button = ControlRef;
using Static = ControlRef;

class Edit : public ControlRef {
public:
    using ControlRef::ControlRef;
    void SetLimitText(int chars);
    int LimitText() const;
};

class ListView : public ControlRef {
public:
    using ControlRef::ControlRef;

    int InsertColumn(int column, std::u16string_view heading, int format, int width);
    int ColumnCount() const;
    std::u16string ColumnText(int column) const;
    int ColumnWidth(int column) const;
    int ColumnFormat(int column) const;  // -1: no such column
    bool SetColumnFormat(int column, int format);

    int ItemCount() const;
    // Inserts at `row` (an index beyond the end appends); the row the list
    // gave, or -1.
    int InsertItem(int row, std::u16string_view text);
    std::u16string ItemText(int row, int column) const;
    bool SetItemText(int row, int column, std::u16string_view text);
    std::intptr_t ItemData(int row) const;
    bool SetItemData(int row, std::intptr_t data);
    uint32_t ItemState(int row, uint32_t mask) const;
    bool SetItemState(int row, uint32_t state, uint32_t mask);  // row -1: all rows
    int SelectionMark() const;
    int SetSelectionMark(int row);  // a model shown here takes the mark too
    int NextItem(int start, uint32_t flags) const;
    // Of a list showing a model, the model's selected row (no walk over the
    // rows); of any other list, the first selected row.
    int FirstSelectedRow() const;
    bool EnsureVisible(int row, bool partialOk);
    int TopIndex() const;
    int CountPerPage() const;

    uint32_t ExtendedStyle() const;
    void SetExtendedStyle(uint32_t style);

    // The list (an owner-data list view) shows `rows` from now on, also
    // across runs of its dialog; see Dialog::ShowRows.
    void ShowRows(RowModel& rows);
    // After the model changed: see Dialog::RowsChanged.
    void RowsChanged(int first, int last);
};

class ComboBox : public ControlRef {
public:
    using ControlRef::ControlRef;

    // Adds in the box's order (sorted boxes sort); the index it got, or -1.
    int AddString(std::u16string_view text);
    int Count() const;
    std::u16string ItemText(int index) const;
    std::intptr_t ItemData(int index) const;
    bool SetItemData(int index, std::intptr_t data);
    int CurSel() const;
    int SetCurSel(int index);
    void ResetContent();
};

class UpDown : public ControlRef {
public:
    using ControlRef::ControlRef;

    void SetRange32(int lower, int upper);
    std::pair<int, int> Range32() const;
    int SetPos32(int position);  // the previous position; the buddy shows the new one
    // The position after re-reading the buddy field: a whole number within
    // the range becomes the position, any other text leaves it unchanged.
    int Pos32();
    int BuddyId() const;
};

}  // namespace kora::ui
