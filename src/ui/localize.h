// Replaces a dialog's caption and control texts by the host's texts for the
// template id and the control ids.
#pragma once

#include "ui/dialog.h"

class LumiM17NModule;

namespace kora::ui {

// The caption takes the host's text for `templateId`, even an empty one;
// then every child window is visited with LocalizeChildControl. Returns 0
// for a null dialog, otherwise whether the walk went through every child
// (it stops at the first child when `module` is null).
int LocalizeDialog(const LumiM17NModule* module, Dialog* dialog, int templateId);

// One child: a control whose id is negative (the unnamed labels) is never
// touched; otherwise the host's text for its id replaces its text unless
// that text is empty.
void LocalizeChildControl(const LumiM17NModule* module, ChildWindow child);

}  // namespace kora::ui
