// An open dialog of the Win32 toolkit: each seam operation is one window
// message to the control found by id (each id looked up once).
//
// A list that shows a model is a virtual list view (owner data): it asks the
// dialog for the texts of the rows it paints (LVN_GETDISPINFO) and for the
// row a typed prefix names (LVN_ODFINDITEM); AnswerRowQuery answers both
// from the model. The control stores no item data for such rows, so the
// list's subclass answers LVM_GETITEM's item data from the model too: any
// reader of the window sees each row's packed pair.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "ui/dialog_window.h"
#include "ui/win32/windows_api.h"

namespace kora::ui::win32 {

class Win32Window final : public DialogWindow {
public:
    explicit Win32Window(HWND dialog) : hwnd_(dialog) {}
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;
    HWND Handle() const { return hwnd_; }

    // Answers a list's question about a model it shows; false when the
    // notice is no such question. `result` is the dialog's answer.
    bool AnswerRowQuery(const NMHDR& header, LRESULT& result) const;

    // What a list's subclass serves: scroll and wheel input to a control
    // class, item data from a model.
    struct ControlHooks {
        int id = 0;
        HWND hwnd = nullptr;
        ControlEvents* events = nullptr;
        RowModel* rows = nullptr;
    };

    void End(int result) override;
    std::u16string Caption() const override;
    void SetCaption(std::u16string_view text) override;
    int FocusedControlId() const override;
    int Dpi() const override;
    std::intptr_t Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool ForEachChild(const std::function<bool(ChildHandle)>& visit) override;
    int ChildId(ChildHandle child) const override;
    void SetChildText(ChildHandle child, std::u16string_view text) override;
    std::u16string ChildText(ChildHandle child) const override;
    void BindEvents(int id, ControlEvents& events) override;
    void UnbindEvents(int id) override;

    bool HasControl(int id) const override;
    std::u16string Text(int id) const override;
    void SetText(int id, std::u16string_view text) override;
    bool IsEnabled(int id) const override;
    void Enable(int id, bool enabled) override;
    void Focus(int id) override;
    uint32_t Style(int id) const override;
    void ModifyStyle(int id, uint32_t remove, uint32_t add) override;
    int ClientWidth(int id) const override;

    void SetLimitText(int id, int chars) override;
    int LimitText(int id) const override;

    int InsertColumn(int id, int column, std::u16string_view heading, int format,
                     int width) override;
    int ColumnCount(int id) const override;
    std::u16string ColumnText(int id, int column) const override;
    int ColumnWidth(int id, int column) const override;
    int ColumnFormat(int id, int column) const override;
    bool SetColumnFormat(int id, int column, int format) override;
    int ItemCount(int id) const override;
    int InsertItem(int id, int row, std::u16string_view text) override;
    std::u16string ItemText(int id, int row, int column) const override;
    bool SetItemText(int id, int row, int column, std::u16string_view text) override;
    std::intptr_t ItemData(int id, int row) const override;
    bool SetItemData(int id, int row, std::intptr_t data) override;
    uint32_t ItemState(int id, int row, uint32_t mask) const override;
    bool SetItemState(int id, int row, uint32_t state, uint32_t mask) override;
    int SelectionMark(int id) const override;
    int SetSelectionMark(int id, int row) override;
    int NextItem(int id, int start, uint32_t flags) const override;
    bool EnsureVisible(int id, int row, bool partialOk) override;
    int TopIndex(int id) const override;
    int CountPerPage(int id) const override;
    uint32_t ExtendedStyle(int id) const override;
    void SetExtendedStyle(int id, uint32_t style) override;
    bool ShowRows(int id, RowModel* rows) override;
    void SetRowCount(int id, int count) override;
    void RedrawRows(int id, int first, int last) override;

    int AddString(int id, std::u16string_view text) override;
    int ComboCount(int id) const override;
    std::u16string ComboText(int id, int index) const override;
    std::intptr_t ComboData(int id, int index) const override;
    bool SetComboData(int id, int index, std::intptr_t data) override;
    int CurSel(int id) const override;
    int SetCurSel(int id, int index) override;
    void ResetContent(int id) override;

    void SetRange32(int id, int lower, int upper) override;
    std::pair<int, int> Range32(int id) const override;
    int SetPos32(int id, int position) override;
    int Pos32(int id) override;
    int BuddyId(int id) const override;

private:
    HWND Item(int id) const;
    LRESULT SendTo(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The hooks of control `id`, made and its subclass set on first use;
    // null when there is no such control.
    ControlHooks* HooksOf(int id);
    const ControlHooks* FindHooks(int id) const;

    HWND hwnd_;
    mutable std::vector<std::pair<int, HWND>> items_;
    std::vector<std::unique_ptr<ControlHooks>> hooks_;
};

// The DPI a window is laid out at (that of the screen for none).
int WindowDpi(HWND window);

// The text of a window, whatever its length.
std::u16string WindowText(HWND window);

}  // namespace kora::ui::win32
