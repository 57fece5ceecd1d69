// What a list view shows of a model without holding rows of its own: the
// number of rows, each cell's text, each row's item data, the look-ups the
// view asks for (type-ahead, item data), and the selection that the view and
// the model share. The toolkit shows any RowModel; the model knows no window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kora {

// Row state bits, as the list view reports them.
inline constexpr uint32_t kRowFocused = 0x0001;
inline constexpr uint32_t kRowSelected = 0x0002;

// The selection of a single-selection list: the selected row, the focused
// row and the selection mark, each -1 for none.
struct RowStates {
    int selected = -1;
    int focused = -1;
    int mark = -1;
    friend bool operator==(const RowStates&, const RowStates&) = default;
};

// A state change that the view reported for rows `first`..`last` (`first`
// -1: every row): a row that gains the selection becomes the selected row
// and the mark (a click or a key sets both); one that loses the selection or
// the focus gives it up.
void ApplyStateChange(RowStates& states, int first, int last, uint32_t oldState, uint32_t newState);

// A row inserted at `row`: rows from there on move down, their states with
// them. A row removed at `row`: its states go, the rows below move up.
void ShiftForInsert(RowStates& states, int row);
void ShiftForRemove(RowStates& states, int row);

class RowModel {
public:
    virtual int RowCount() const = 0;
    // Empty for a row or column that does not exist.
    virtual std::u16string Text(int row, int column) const = 0;
    virtual uint32_t ItemData(int row) const = 0;
    // The first row from `start` on, wrapping to the top when `wrap` is set,
    // whose name begins with `text` (equals it when not `partial`) without
    // regard to case; -1 when none does.
    virtual int FindName(std::u16string_view text, bool partial, int start, bool wrap) const = 0;
    // The first row from `start` on (wrapping as above) with this item data.
    virtual int FindItemData(uint32_t data, int start, bool wrap) const = 0;

    RowStates& States() { return states_; }
    const RowStates& States() const { return states_; }

protected:
    ~RowModel() = default;

    RowStates states_;
};

}  // namespace kora
