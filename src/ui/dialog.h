// The dialog base of the seam. A dialog class names its template, overrides
// OnInitDialog / OnOK / OnCancel as it needs, and routes control
// notifications to member functions through its message map:
//
//   class CXSynthGroupDlg : public kora::ui::Dialog {
//   public:
//       CXSynthGroupDlg() : Dialog(IDD_XSYNTH_GROUP) {}
//   protected:
//       bool OnInitDialog() override;
//       std::span<const MessageMapEntry> MessageMap() const override {
//           static constexpr MessageMapEntry map[] = {
//               BnClicked<&CXSynthGroupDlg::OnOpenWeb>(IDC_OPEN_GROUP_WEB),
//           };
//           return map;
//       }
//   private:
//       void OnOpenWeb();
//   };
//
// DoModal lets the toolkit make the window from the template, runs
// OnInitDialog once the controls exist, and returns the value given to
// EndDialog. Without an entry of its own, IDOK reaches OnOK and IDCANCEL
// (the Cancel button, Escape, the close box) reaches OnCancel.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/row_model.h"
#include "ui/control_events.h"
#include "ui/controls.h"
#include "ui/dialog_window.h"
#include "ui/dpi.h"
#include "ui/notification.h"
#include "ui/win_values.h"

namespace kora::ui {

class Dialog;

struct MessageMapEntry {
    int controlId;
    Notification code;
    void (*invoke)(Dialog& dialog, const NotifyEvent& event);
};

namespace detail {

template <class Member>
struct HandlerTraits;

template <class D>
struct HandlerTraits<void (D::*)()> {
    using Class = D;
    static constexpr bool kTakesEvent = false;
};

template <class D>
struct HandlerTraits<void (D::*)(const NotifyEvent&)> {
    using Class = D;
    static constexpr bool kTakesEvent = true;
};

template <auto Handler>
constexpr MessageMapEntry MakeEntry(int controlId, Notification code) {
    return {controlId, code, [](Dialog& dialog, const NotifyEvent& event) {
                using Traits = HandlerTraits<decltype(Handler)>;
                auto& self = static_cast<typename Traits::Class&>(dialog);
                if constexpr (Traits::kTakesEvent) {
                    (self.*Handler)(event);
                } else {
                    (void)event;
                    (self.*Handler)();
                }
            }};
}

}  // namespace detail

// A child window of an open dialog as the enumeration reports it.
class ChildWindow {
public:
    ChildWindow() = default;
    ChildWindow(DialogWindow& window, ChildHandle handle) : window_(&window), handle_(handle) {}

    explicit operator bool() const { return window_ != nullptr && handle_ != 0; }
    int Id() const { return window_->ChildId(handle_); }
    std::u16string Text() const { return window_->ChildText(handle_); }
    void SetText(std::u16string_view text) { window_->SetChildText(handle_, text); }

private:
    DialogWindow* window_ = nullptr;
    ChildHandle handle_ = 0;
};

class Dialog : public MessageTarget {
public:
    // `owner`: the dialog this one is opened over, or none (the toolkit then
    // makes it modal to whatever window is active).
    explicit Dialog(int templateId, Dialog* owner = nullptr)
        : templateId_(templateId), owner_(owner) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally: the value given to EndDialog, or -1 when the
    // window could not be made (or a handler failed with an exception).
    int DoModal();
    void EndDialog(int result);

    int TemplateId() const { return templateId_; }
    Dialog* Owner() const { return owner_; }
    template <class T>
    T* OwnerAs() const {
        return dynamic_cast<T*>(owner_);
    }
    bool IsOpen() const { return window_ != nullptr; }
    DialogWindow* Window() const { return window_; }

    std::u16string Caption() const;
    void SetCaption(std::u16string_view text);
    int FocusedControlId() const;
    // The DPI the dialog is laid out at; 96 while it is not open.
    int Dpi() const;
    // A size in pixels at 96 DPI (a column width, say) in this dialog's
    // pixels; the controls take device pixels as they are.
    int ScaledPixels(int pixelsAt96) const { return ScaleForDpi(pixelsAt96, Dpi()); }
    template <class T = ControlRef>
    T Control(int id) {
        return T(*this, id);
    }
    // Every child window, the unnamed ones included; false when `visit`
    // stopped the walk (and when the dialog is not open).
    bool ForEachChild(const std::function<bool(ChildWindow)>& visit);

    // A private message, delivered synchronously to OnMessage while open.
    std::intptr_t Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Routes the raw scroll and wheel input of control `id` to `events`
    // until unbound; may be called before DoModal.
    void BindControlEvents(int id, ControlEvents& events);
    void UnbindControlEvents(int id, const ControlEvents& events);

    // List `id` (an owner-data list view) shows `rows` (not owned) from now
    // on, whenever the dialog is open: the control asks the model for texts
    // and item data, and the model's states follow what the control reports
    // (a click, a key, a state set from code) before the message map hears
    // of it.
    void ShowRows(int id, RowModel& rows);
    RowModel* RowsOf(int id) const;
    // Tells the view of list `id` that its model changed: the control takes
    // the number of rows, repaints rows first..last (last -1: to the end)
    // where they are on screen, and takes the model's selected and focused
    // row and its selection mark. Rows that moved keep their states, as in
    // a list that holds its rows.
    void RowsChanged(int id, int first, int last);

protected:
    // Called once the controls exist and hold their template texts. True:
    // the toolkit puts the focus on the first control that takes it.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); }
    virtual std::span<const MessageMapEntry> MessageMap() const { return {}; }
    // Private messages (WM_USER and above) sent to the dialog.
    virtual std::intptr_t OnMessage(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        (void)message;
        (void)wParam;
        (void)lParam;
        return 0;
    }

    // Message map entries, one per notification kind.
    template <auto Handler>
    static constexpr MessageMapEntry BnClicked(int id) {
        return detail::MakeEntry<Handler>(id, Notification::Clicked);
    }
    template <auto Handler>
    static constexpr MessageMapEntry CbnSelChange(int id) {
        return detail::MakeEntry<Handler>(id, Notification::SelChange);
    }
    template <auto Handler>
    static constexpr MessageMapEntry KillFocus(int id) {
        return detail::MakeEntry<Handler>(id, Notification::KillFocus);
    }
    template <auto Handler>
    static constexpr MessageMapEntry LvnItemChanged(int id) {
        return detail::MakeEntry<Handler>(id, Notification::ItemChanged);
    }
    template <auto Handler>
    static constexpr MessageMapEntry NmDblClk(int id) {
        return detail::MakeEntry<Handler>(id, Notification::DblClk);
    }

private:
    friend class DialogBridge;

    // A model shown in a list, with what the control holds as far as its
    // notices tell: its row count and its selected and focused row.
    struct RowBinding {
        int id;
        RowModel* rows;
        int shownCount = 0;
        RowStates shown;
    };
    RowBinding* FindRows(int id);
    void TakeStateChange(const NotifyEvent& event);
    void ShowStates(int id);

    int templateId_;
    Dialog* owner_;
    DialogWindow* window_ = nullptr;
    std::vector<std::pair<int, ControlEvents*>> boundEvents_;
    std::vector<RowBinding> boundRows_;
};

}  // namespace kora::ui
