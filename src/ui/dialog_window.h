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

// Every operation as X(result, name, (parameters), qualifier): the seam
// declares them pure virtual once here, and each toolkit's window overrides
// the same list, so the three cannot drift apart.
using IntRange = std::pair<int, int>;

#define KORA_DIALOG_WINDOW_OPERATIONS(X)                                                      \
    /* The dialog itself. */                                                                  \
    X(void, End, (int result), )                                                              \
    X(std::u16string, Caption, (), const)                                                     \
    X(void, SetCaption, (std::u16string_view text), )                                         \
    X(int, FocusedControlId, (), const) /* 0 when no control has the focus */                 \
    /* The dots per inch the dialog is laid out at (96 at Windows' 100 % */                   \
    /* setting, 144 at 150 %): its font, controls and metrics are in pixels */                \
    /* at this DPI. */                                                                        \
    X(int, Dpi, (), const)                                                                    \
    X(std::intptr_t, Send, (uint32_t message, std::uintptr_t wParam, std::intptr_t lParam), ) \
    /* Every child window, in creation order; stops when `visit` returns */                   \
    /* false. Returns false when it was stopped. */                                           \
    X(bool, ForEachChild, (const std::function<bool(ChildHandle)>& visit), )                  \
    X(int, ChildId, (ChildHandle child), const)                                               \
    X(void, SetChildText, (ChildHandle child, std::u16string_view text), )                    \
    X(std::u16string, ChildText, (ChildHandle child), const)                                  \
    /* Routes the raw scroll and wheel input of a control to `events`, or */                  \
    /* back to the control alone. */                                                          \
    X(void, BindEvents, (int id, ControlEvents& events), )                                    \
    X(void, UnbindEvents, (int id), )                                                         \
                                                                                              \
    /* Any control. */                                                                        \
    X(bool, HasControl, (int id), const)                                                      \
    X(std::u16string, Text, (int id), const)                                                  \
    X(void, SetText, (int id, std::u16string_view text), )                                    \
    X(bool, IsEnabled, (int id), const)                                                       \
    X(void, Enable, (int id, bool enabled), )                                                 \
    X(void, Focus, (int id), )                                                                \
    X(uint32_t, Style, (int id), const)                                                       \
    X(void, ModifyStyle, (int id, uint32_t remove, uint32_t add), )                           \
    X(int, ClientWidth, (int id), const) /* pixels; 0 when unknown */                         \
                                                                                              \
    /* Edit field. */                                                                         \
    X(void, SetLimitText, (int id, int chars), )                                              \
    X(int, LimitText, (int id), const)                                                        \
                                                                                              \
    /* List view. Rows and columns count from 0; failures give -1 or false. */                \
    X(int, InsertColumn,                                                                      \
      (int id, int column, std::u16string_view heading, int format, int width), )             \
    X(int, ColumnCount, (int id), const)                                                      \
    X(std::u16string, ColumnText, (int id, int column), const)                                \
    X(int, ColumnWidth, (int id, int column), const)                                          \
    X(int, ColumnFormat, (int id, int column), const) /* -1: no such column */                \
    X(bool, SetColumnFormat, (int id, int column, int format), )                              \
    X(int, ItemCount, (int id), const)                                                        \
    X(int, InsertItem, (int id, int row, std::u16string_view text), )                         \
    X(std::u16string, ItemText, (int id, int row, int column), const)                         \
    X(bool, SetItemText, (int id, int row, int column, std::u16string_view text), )           \
    X(std::intptr_t, ItemData, (int id, int row), const)                                      \
    X(bool, SetItemData, (int id, int row, std::intptr_t data), )                             \
    X(uint32_t, ItemState, (int id, int row, uint32_t mask), const)                           \
    /* Row -1: every row. */                                                                  \
    X(bool, SetItemState, (int id, int row, uint32_t state, uint32_t mask), )                 \
    X(int, SelectionMark, (int id), const)                                                    \
    X(int, SetSelectionMark, (int id, int row), ) /* the previous mark */                     \
    X(int, NextItem, (int id, int start, uint32_t flags), const)                              \
    X(bool, EnsureVisible, (int id, int row, bool partialOk), )                               \
    X(int, TopIndex, (int id), const)                                                         \
    X(int, CountPerPage, (int id), const)                                                     \
    X(uint32_t, ExtendedStyle, (int id), const)                                               \
    X(void, SetExtendedStyle, (int id, uint32_t style), )                                     \
                                                                                              \
    /* Owner-data list view: its rows, their texts and item data come from */                 \
    /* `rows` (null: from nothing any more); the control keeps only the count */              \
    /* it was last given and the states of its rows, by index. False when the */              \
    /* list has no owner-data style. */                                                       \
    X(bool, ShowRows, (int id, RowModel* rows), )                                             \
    /* The number of rows; states beyond it are dropped, the others stay at */                \
    /* their index. The list keeps its scroll position. */                                    \
    X(void, SetRowCount, (int id, int count), )                                               \
    /* Repaints rows first..last where they are on screen. */                                 \
    X(void, RedrawRows, (int id, int first, int last), )                                      \
                                                                                              \
    /* Combo box. Indexes count from 0; failures give -1 (CB_ERR). */                         \
    X(int, AddString, (int id, std::u16string_view text), )                                   \
    X(int, ComboCount, (int id), const)                                                       \
    X(std::u16string, ComboText, (int id, int index), const)                                  \
    X(std::intptr_t, ComboData, (int id, int index), const)                                   \
    X(bool, SetComboData, (int id, int index, std::intptr_t data), )                          \
    X(int, CurSel, (int id), const)                                                           \
    X(int, SetCurSel, (int id, int index), ) /* -1 clears; returns the index or -1 */         \
    X(void, ResetContent, (int id), )                                                         \
                                                                                              \
    /* Up-down control. */                                                                    \
    X(void, SetRange32, (int id, int lower, int upper), )                                     \
    X(IntRange, Range32, (int id), const)                                                     \
    X(int, SetPos32, (int id, int position), ) /* the previous position */                    \
    /* Re-reads the buddy field first: a whole number within the range becomes */             \
    /* the position; any other text leaves the position as it was. */                         \
    X(int, Pos32, (int id), )                                                                 \
    X(int, BuddyId, (int id), const) /* 0 when none */

class DialogWindow {
public:
    virtual ~DialogWindow() = default;
#define KORA_DECLARE_PURE(result, name, parameters, qualifier) \
    virtual result name parameters qualifier = 0;
    KORA_DIALOG_WINDOW_OPERATIONS(KORA_DECLARE_PURE)
#undef KORA_DECLARE_PURE
};

// Declares the overrides of every operation in a toolkit's window class.
#define KORA_DECLARE_OVERRIDE(result, name, parameters, qualifier) \
    result name parameters qualifier override;
#define KORA_DIALOG_WINDOW_OVERRIDES KORA_DIALOG_WINDOW_OPERATIONS(KORA_DECLARE_OVERRIDE)

}  // namespace kora::ui
