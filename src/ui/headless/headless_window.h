// One open dialog of the in-memory toolkit: the controls of its template
// with their state, changed by the dialog through the seam and by the
// scripted user through the User* actions, with the notifications a real
// window system would send for each.
//
// What the notifications follow: programmatic item-state changes of a list
// send LVN_ITEMCHANGED as user clicks do; inserting rows sends none. Selecting a combo item from
// code sends no CBN_SELCHANGE, choosing it as the user does. An edit field or combo box that loses
// the focus (to another control, a click, or by being disabled) sends its kill-focus notice.
//
// An owner-data list (LVS_OWNERDATA) holds no rows of its own: it shows the
// model given to ShowRows with the row count it was last given, and keeps
// only the states of its rows, by index; inserting or deleting rows and
// setting texts or item data fail on it.
//
// Sizes: dialog units become pixels as 3/2 across and 13/8 down; a border
// takes one pixel on each side; a report list's header is 20 pixels high
// and its rows 17.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/control_events.h"
#include "ui/dialog.h"
#include "ui/dialog_window.h"
#include "ui/dpi.h"
#include "ui/headless/resource_tables.h"
#include "ui/notification.h"

namespace kora::ui::headless {

enum class ControlKind { Static, Button, GroupBox, Edit, ComboBox, ListView, UpDown, Other };

struct ListColumn {
    std::u16string text;
    int format = 0;
    int width = 0;
};

struct ListRow {
    std::vector<std::u16string> texts;  // by column
    std::intptr_t data = 0;
    uint32_t state = 0;
};

struct ComboItem {
    std::u16string text;
    std::intptr_t data = 0;
};

struct ControlState {
    const ControlTemplate* source = nullptr;
    int id = 0;
    ControlKind kind = ControlKind::Other;
    std::u16string text;
    uint32_t style = 0;
    int widthPx = 0;
    int heightPx = 0;
    ControlEvents* events = nullptr;

    // Edit field.
    int limit = 30000;

    // List view. An owner-data list keeps only the states of its rows; their
    // texts and item data come from the model it shows.
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    RowModel* rowModel = nullptr;
    uint32_t extendedStyle = 0;
    int selectionMark = -1;
    int topIndex = 0;
    int horizontalOffset = 0;
    int repaints = 0;  // RedrawRows calls

    // Combo box.
    std::vector<ComboItem> items;
    int curSel = -1;

    // Up-down control.
    int lower = 100;
    int upper = 0;
    int position = 0;
    int buddy = -1;  // index of the buddy among the dialog's controls

    bool Enabled() const;
    bool Visible() const;
    bool OwnerData() const;
};

enum class WheelTurn { Up, Down };

class HeadlessWindow final : public DialogWindow {
public:
    struct Callbacks {
        std::function<void(const NotifyEvent&)> notify;
        std::function<std::intptr_t(uint32_t, std::uintptr_t, std::intptr_t)> message;
    };

    // Laid out at `dpi`: sizes in pixels grow with it.
    HeadlessWindow(const DialogTemplate& source, Callbacks callbacks, int dpi = kDefaultDpi);

    const DialogTemplate& Source() const { return source_; }
    bool Ended() const { return ended_; }
    int Result() const { return result_; }
    const std::vector<ControlState>& Controls() const { return controls_; }
    const ControlState* Find(int id) const;
    ControlState* Find(int id);
    // Puts the focus where a dialog's start-up does: the first visible,
    // enabled control with a tab stop.
    void FocusFirstTabStop();

    // What the user can do. Each returns an empty text, or why the action
    // was impossible (nothing then changes).
    std::string UserClick(int id);
    std::string UserPressEnter();
    std::string UserPressEscape();
    std::string UserSelectRow(int listId, int row);
    std::string UserClearSelection(int listId);
    std::string UserDoubleClick(int listId, int row, int column);
    std::string UserType(int editId, std::u16string_view text);
    std::string UserLeave(int editId);
    std::string UserChooseItem(int comboId, std::u16string_view text);
    std::string UserClickSpin(int spinId, int delta);
    std::string UserScroll(int listId, bool vertical, int lines);
    std::string UserTurnWheel(int listId, WheelTurn turn);

    KORA_DIALOG_WINDOW_OVERRIDES

private:
    ControlState* FindKind(int id, ControlKind kind);
    // A list view that holds its rows (not owner data).
    ControlState* FindRowHolder(int id);
    const ControlState* FindKind(int id, ControlKind kind) const;
    std::string UsableBy(const ControlState* control, int id, ControlKind kind,
                         const char* what) const;
    void MoveFocus(int index);
    void Notify(const NotifyEvent& event);
    void ChangeRowState(ControlState& list, int row, uint32_t state);
    void SetRowState(ControlState& list, int row, uint32_t state, uint32_t mask);
    int VisibleRows(const ControlState& list, bool* partialRowShown) const;
    void ClampTop(ControlState& list);
    void ShowPosition(ControlState& spin);
    int IndexOf(const ControlState& control) const;

    const DialogTemplate& source_;
    Callbacks callbacks_;
    std::u16string caption_;
    std::vector<ControlState> controls_;
    int dpi_;
    int focused_ = -1;  // index into controls_
    bool ended_ = false;
    int result_ = 0;
};

// The in-memory window of an open dialog, or null (closed, or not headless).
HeadlessWindow* HeadlessWindowOf(const Dialog& dialog);

}  // namespace kora::ui::headless
