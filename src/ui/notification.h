// Notifications that a dialog's message map routes to its handlers.
#pragma once

#include <cstdint>

namespace kora::ui {

enum class Notification {
    Clicked,      // a button was pressed (BN_CLICKED; IDOK and IDCANCEL included)
    SelChange,    // the user chose another combo-box item (CBN_SELCHANGE)
    KillFocus,    // an edit field or combo box lost the keyboard focus
    ItemChanged,  // a list view item changed its state (LVN_ITEMCHANGED)
    DblClk,       // double click in a list view (NM_DBLCLK)
};

struct NotifyEvent {
    int controlId = 0;
    Notification code = Notification::Clicked;
    // List views: the row the notice is about; for a double click the row
    // hit, -1 when the click hit no row; for an item change -1 means every
    // row.
    int item = -1;
    // Item change of rows item..lastItem at once (an owner-data list's
    // range); -1 when it concerns `item` alone.
    int lastItem = -1;
    // Double click: the column hit.
    int subItem = -1;
    // Item change: the states before and after, and which attributes changed.
    uint32_t oldState = 0;
    uint32_t newState = 0;
    uint32_t changed = 0;
};

}  // namespace kora::ui
