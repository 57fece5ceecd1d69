#include "ui/localize.h"

#include <string_view>

#include "ui/lumi_m17n_string.h"

namespace kora::ui {

int LocalizeDialog(const LumiM17NModule* module, Dialog* dialog, int templateId) {
    if (!dialog) return 0;
    if (const char16_t* caption = LookUpText(module, templateId)) dialog->SetCaption(caption);
    const bool walkedAll = dialog->ForEachChild([module](ChildWindow child) {
        if (!child || !module) return false;
        LocalizeChildControl(module, child);
        return true;
    });
    return walkedAll ? 1 : 0;
}

void LocalizeChildControl(const LumiM17NModule* module, ChildWindow child) {
    if (!child) return;
    const int id = child.Id();
    if (id < 0) return;
    const char16_t* text = LookUpText(module, id);
    if (text && *text) child.SetText(text);
}

}  // namespace kora::ui
