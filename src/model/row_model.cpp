#include "model/row_model.h"

namespace kora {
namespace {

bool Covers(int first, int last, int row) {
    return row >= 0 && (first < 0 || (row >= first && row <= last));
}

}  // namespace

void ApplyStateChange(RowStates& states, int first, int last, uint32_t oldState,
                      uint32_t newState) {
    if (last < first) last = first;
    const uint32_t gained = newState & ~oldState;
    const uint32_t lost = oldState & ~newState;
    if ((gained & kRowSelected) && first >= 0) {
        states.selected = first;
        states.mark = first;
    } else if ((lost & kRowSelected) && Covers(first, last, states.selected)) {
        states.selected = -1;
    }
    if ((gained & kRowFocused) && first >= 0) {
        states.focused = first;
    } else if ((lost & kRowFocused) && Covers(first, last, states.focused)) {
        states.focused = -1;
    }
}

void ShiftForInsert(RowStates& states, int row) {
    for (int* state : {&states.selected, &states.focused, &states.mark}) {
        if (*state >= row) ++*state;
    }
}

void ShiftForRemove(RowStates& states, int row) {
    for (int* state : {&states.selected, &states.focused, &states.mark}) {
        if (*state == row) {
            *state = -1;
        } else if (*state > row) {
            --*state;
        }
    }
}

}  // namespace kora
