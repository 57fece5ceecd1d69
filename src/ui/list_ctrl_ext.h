// The list view of the Singer Editor's two lists: a plain list view that can
// tell another window, by message 0x47D, that the user scrolled it or
// turned the mouse wheel over it.
#pragma once

#include "ui/controls.h"
#include "ui/dialog.h"

namespace kora::ui {

class CListCtrlExt : public ListView, public ControlEvents {
public:
    CListCtrlExt() = default;
    CListCtrlExt(const CListCtrlExt&) = delete;
    CListCtrlExt& operator=(const CListCtrlExt&) = delete;
    virtual ~CListCtrlExt();

    // Binds this object to control `id` of `dialog` (before or while it
    // runs); the control's scroll and wheel input then passes through here.
    void Attach(Dialog& dialog, int id);

    // The window to tell, not owned; none after construction.
    MessageTarget* notifyWnd = nullptr;

    std::intptr_t OnVScroll(DefaultProcessing& base) override;
    std::intptr_t OnHScroll(DefaultProcessing& base) override;
    std::intptr_t OnMouseWheel(DefaultProcessing& base) override;

private:
    void NotifyScrolled();
};

}  // namespace kora::ui
