// Every message the module shows goes through ShowMessage: a text from the
// string table (loaded through CLumiM17NString) and one of four styles.
#pragma once

#include <cstdint>
#include <string_view>

namespace kora::ui {

enum class MessageStyle : uint32_t {
    Plain = 0x00,         // OK, no icon
    Error = 0x10,         // OK, error icon (MB_ICONHAND)
    ConfirmYesNo = 0x34,  // Yes and No, exclamation icon; only IDYES goes on
    Information = 0x40,   // OK, information icon (MB_ICONASTERISK)
};

// The button pressed: IDOK, IDYES or IDNO; 0 when no box could be shown.
int ShowMessage(std::u16string_view text, MessageStyle style);

// The string `stringId` as CLumiM17NString::LoadString gives it (empty when
// the table has none: the box is shown all the same).
int ShowMessage(uint32_t stringId, MessageStyle style);

}  // namespace kora::ui
