#include "ui/message.h"

#include "ui/lumi_m17n_string.h"
#include "ui/toolkit.h"

namespace kora::ui {

int ShowMessage(std::u16string_view text, MessageStyle style) {
    return ShowMessageBox(text, static_cast<uint32_t>(style));
}

int ShowMessage(uint32_t stringId, MessageStyle style) {
    CLumiM17NString text;
    text.LoadString(stringId);
    return ShowMessage(text, style);
}

}  // namespace kora::ui
