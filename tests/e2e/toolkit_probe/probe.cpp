// The Win32 toolkit on real windows under Wine: a DLL built like the module
// (the toolkit, the resources with manifest and version) whose export runs
// dialogs written on the seam and drives them with real window messages.
// The host that loads it has none of these resources, so every template
// and string must come from this DLL.
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "checks.h"
#include "kora4/m17n.h"
#include "probe_api.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "res/xsynth_group_res.h"
#include "screenshot.h"
#include "ui/dialog.h"
#include "ui/export_scope.h"
#include "ui/list_ctrl_ext.h"
#include "ui/localize.h"
#include "ui/lumi_m17n_string.h"
#include "ui/message.h"
#include "ui/toolkit.h"
#include "ui/win32/win32_window.h"
#include "ui/win32/windows_api.h"
#include "window_driver.h"

using namespace kora::ui;
using kora::testhost::SaveScreenshot;

namespace {

ProbeReport report = nullptr;
std::wstring shots;
int failures = 0;

void Expect(bool passed, const std::string& what) {
    if (!passed) ++failures;
    report(passed ? 1 : 0, what.c_str());
}

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

void ExpectText(std::u16string_view actual, std::u16string_view expected, const std::string& what) {
    Expect(actual == expected, what + " (\"" + Utf8(actual) + "\")");
}

HWND HandleOf(const Dialog& dialog) {
    auto* window = dynamic_cast<win32::Win32Window*>(dialog.Window());
    return window ? window->Handle() : nullptr;
}

class MapTextModule final : public LumiM17NModule {
public:
    explicit MapTextModule(std::map<std::u16string, std::u16string> texts)
        : texts_(std::move(texts)) {}
    uint32_t LanguageId() const override { return 1033; }
    const char16_t* Lookup(const char16_t* key) const override {
        auto found = texts_.find(key);
        return found == texts_.end() ? nullptr : found->second.c_str();
    }

private:
    std::map<std::u16string, std::u16string> texts_;
};

// Answers the next box or file dialog of this thread from a timer, which
// runs inside the box's own modal loop.
struct AutoAnswer {
    WORD command = 0;
    HWND owner = nullptr;
    std::u16string caption{};
    HWND popupOwner = nullptr;
    bool answered = false;
};
AutoAnswer* pending = nullptr;

BOOL CALLBACK FindPopup(HWND window, LPARAM found) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (window != pending->owner && IsWindowVisible(window) && std::wstring(name) == L"#32770" &&
        GetWindow(window, GW_OWNER) == pending->owner) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!pending) return;
    HWND popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPopup, reinterpret_cast<LPARAM>(&popup));
    if (!popup) return;
    KillTimer(nullptr, timer);
    pending->caption = win32::WindowText(popup);
    pending->popupOwner = GetWindow(popup, GW_OWNER);
    pending->answered = true;
    PostMessageW(popup, WM_COMMAND, MAKEWPARAM(pending->command, BN_CLICKED), 0);
    pending = nullptr;
}

void AnswerNextPopup(AutoAnswer& answer) {
    pending = &answer;
    SetTimer(nullptr, 0, 100, AnswerTimer);
}

constexpr UINT kRunScript = kWmUser + 200;

// A dialog whose handlers and script each check plugs in; the script runs
// from a message posted at start-up, once the dialog shows.
class ScriptedDialog : public Dialog {
public:
    using Handler = std::function<void(ScriptedDialog&, const NotifyEvent&)>;
    ScriptedDialog(int templateId, Dialog* owner) : Dialog(templateId, owner) {}

    void On(int id, Notification code, Handler handler) {
        handlers_[{id, code}] = std::move(handler);
        map_.push_back(detail::MakeEntry<&ScriptedDialog::OnEvent>(id, code));
    }
    std::function<void(ScriptedDialog&)> init;
    std::function<void(ScriptedDialog&)> script;
    int scrollNotices = 0;

protected:
    bool OnInitDialog() override {
        if (init) init(*this);
        PostMessageW(HandleOf(*this), kRunScript, 0, 0);
        return true;
    }
    std::span<const MessageMapEntry> MessageMap() const override { return map_; }
    std::intptr_t OnMessage(uint32_t message, std::uintptr_t, std::intptr_t) override {
        if (message == kWmListScrolled) ++scrollNotices;
        if (message == kRunScript && script) {
            // The modal loop shows the dialog once its queue is empty; the
            // script acts as a user would, on a dialog that shows.
            ShowWindow(HandleOf(*this), SW_SHOW);
            std::exchange(script, nullptr)(*this);
        }
        return 0;
    }

private:
    void OnEvent(const NotifyEvent& event) {
        auto found = handlers_.find({event.controlId, event.code});
        if (found != handlers_.end()) found->second(*this, event);
    }
    std::map<std::pair<int, Notification>, Handler> handlers_;
    std::vector<MessageMapEntry> map_;
};

void CheckPlatform() {
    const auto module = ModuleFilePath();
    Expect(module && module->ends_with(u"kora4_toolkit_probe.dll"),
           "module file path is the DLL's own");
    const auto host = HostExecutablePath();
    Expect(host && host->ends_with(u"kora4_test_host.exe"), "host executable path");
    Expect(ModuleFileVersion() == FileVersion{4, 3, 0, 1}, "module file version 4.3.0.1");
    ExpectText(LoadStringResource(IDS_CONFIRM_DELETE).value_or(u"?"),
               u"Do you really want to delete the singer? ", "string 12 from the DLL");
    Expect(!LoadStringResource(9999), "a missing string id loads nothing");
    CLumiM17NString error;
    error.Format(IDS_ERROR_OCCURRED, 1);
    ExpectText(error, u"Error occurred. (1)", "formatted string 31");
    Expect(SystemMetric(kSmCxVScroll) > 0, "vertical scroll bar width");
    Expect(DesktopFolder().has_value(), "desktop folder");
}

// --- the cross-synthesis group list, opened from the edit dialog without owner ---

void GroupList(HWND expectedOwner) {
    ScriptedDialog groups(IDD_XSYNTH_GROUP, nullptr);
    groups.script = [expectedOwner](ScriptedDialog& d) {
        Expect(GetWindow(HandleOf(d), GW_OWNER) == expectedOwner,
               "a dialog opened without owner is modal to the open dialog");
        auto list = d.Control<ListView>(IDC_XSYNTH_LIST);
        const int width = (list.ClientWidth() - SystemMetric(kSmCxVScroll)) / 2;
        Expect(width > 0, "column width from the client width");
        list.InsertColumn(0, u"Name", kLvcfmtLeft, width);
        list.InsertColumn(1, u"Singer", kLvcfmtLeft, width);
        Expect(list.ColumnWidth(1) == width, "column width set");
        d.EndDialog(kIdOk);
    };
    Expect(groups.DoModal() == kIdOk, "group list ends with IDOK");
}

// --- the singer edit dialog, nested over the editor ---

int SingerDialog(Dialog& editor) {
    ScriptedDialog d(IDD_SINGER, &editor);
    int selChanges = 0;
    d.On(IDC_PRIMARY_SINGER, Notification::SelChange,
         [&](ScriptedDialog&, const NotifyEvent&) { ++selChanges; });
    d.On(IDC_PRIMARY_BRE, Notification::KillFocus, [](ScriptedDialog& self, const NotifyEvent&) {
        self.Control(IDC_PRIMARY_BRE)
            .SetText(DecimalText(self.Control<UpDown>(IDC_PRIMARY_BRE_SPIN).Pos32()));
    });
    d.On(IDC_XSYNTH_GROUP_LIST, Notification::Clicked,
         [](ScriptedDialog& self, const NotifyEvent&) { GroupList(HandleOf(self)); });
    MapTextModule texts({{u"-1", u"never"}, {u"23112", u"Singer name"}, {u"23096", u""}});
    d.init = [&texts](ScriptedDialog& self) {
        LocalizeDialog(&texts, &self, IDD_SINGER);
        CLumiM17NString caption;
        caption.LoadString(IDS_CAPTION_ADD);
        self.SetCaption(caption);
        self.Control<Edit>(IDC_SINGER_NAME).SetLimitText(255);
        auto spin = self.Control<UpDown>(IDC_PRIMARY_BRE_SPIN);
        spin.SetRange32(-127, 127);
        spin.SetPos32(10);
        auto box = self.Control<ComboBox>(IDC_PRIMARY_SINGER);
        for (const char16_t* name : {u"tenor", u"Alto", u"-"})
            box.SetItemData(box.AddString(name), name[0]);
        box.SetCurSel(1);
    };
    d.script = [&](ScriptedDialog& self) {
        Expect(GetWindow(HandleOf(self), GW_OWNER) == HandleOf(editor),
               "edit dialog is owned by the editor");
        Expect(self.OwnerAs<ScriptedDialog>() == &editor, "edit dialog finds its owner object");
        ExpectText(self.Caption(), u"Add", "edit dialog caption");
        ExpectText(self.Control(IDC_NAME_LABEL).Text(), u"Singer name",
                   "label 23112 from the host's text");
        ExpectText(self.Control(IDC_PRIMARY_RESET).Text(), u"Reset",
                   "an empty host text leaves Reset");
        std::u16string unnamed;
        self.ForEachChild([&](ChildWindow child) {
            if (child.Id() == -1) unnamed += child.Text() + u" ";
            return true;
        });
        ExpectText(unnamed, u"BRE BRI CLE GEN BRE BRI CLE GEN VOL ",
                   "the id -1 labels stay as they are");
        Expect(self.Control<Edit>(IDC_SINGER_NAME).LimitText() == 255, "name field limit");

        auto box = self.Control<ComboBox>(IDC_PRIMARY_SINGER);
        Expect(box.Count() == 3, "combo box holds three items");
        ExpectText(box.ItemText(0), u"-", "sorted: \"-\" first");
        ExpectText(box.ItemText(1), u"Alto", "sorted: Alto second");
        Expect(box.ItemData(2) == u't', "item data stays with its item");
        Expect(selChanges == 0, "selecting from code sends no selection change");
        box.SetFocus();
        SendMessageW(GetDlgItem(HandleOf(self), IDC_PRIMARY_SINGER), WM_KEYDOWN, VK_DOWN, 0);
        Expect(selChanges == 1 && box.CurSel() == 2,
               "the Down key chooses the next item and notifies");

        auto spin = self.Control<UpDown>(IDC_PRIMARY_BRE_SPIN);
        auto field = self.Control(IDC_PRIMARY_BRE);
        Expect(spin.BuddyId() == IDC_PRIMARY_BRE, "spin takes the field before it as buddy");
        ExpectText(field.Text(), u"10", "spin shows its position in the buddy");
        field.SetFocus();
        field.SetText(u"200");
        self.Control(IDC_PRIMARY_BRI).SetFocus();  // leaves the field: refreshed from the spin
        ExpectText(field.Text(), u"10", "leaving a field with 200 shows the last valid value");
        const std::pair<std::u16string, int> reads[] = {
            {u"-127", -127}, {u"127", 127}, {u"128", 127}, {u"abc", 127}, {u"5", 5}};
        for (const auto& [text, expected] : reads) {
            field.SetText(text);
            Expect(spin.Pos32() == expected,
                   "position after \"" + Utf8(text) + "\" is " + std::to_string(expected));
        }
        field.SetText(u"");
        report(1, ("an empty buddy reads as " + std::to_string(spin.Pos32())).c_str());
        spin.SetPos32(-3);

        SendMessageW(GetDlgItem(HandleOf(self), IDC_XSYNTH_GROUP_LIST), BM_CLICK, 0, 0);
        Expect(SaveScreenshot(HandleOf(self), shots, L"toolkit-23000"),
               "screenshot toolkit-23000.png");
        SendMessageW(GetDlgItem(HandleOf(self), IDOK), BM_CLICK, 0, 0);
    };
    return d.DoModal();
}

// --- the editor ---

void Editor() {
    ScriptedDialog d(IDD_SINGER_EDITOR, nullptr);
    CListCtrlExt myList;
    myList.Attach(d, IDC_MY_LIST);
    MapTextModule texts(
        {{u"101", u"Probe Editor"}, {u"1003", u"Mine"}, {u"23117", u""}, {u"-1", u"x"}});
    int itemChanges = 0;
    std::pair<int, int> doubleClick{-9, -9};
    int nested = 0;
    d.On(IDC_MY_LIST, Notification::ItemChanged,
         [&](ScriptedDialog&, const NotifyEvent&) { ++itemChanges; });
    d.On(IDC_MY_LIST, Notification::DblClk, [&](ScriptedDialog&, const NotifyEvent& e) {
        doubleClick = {e.item, e.subItem};
    });
    d.On(IDC_MY_ADD, Notification::Clicked,
         [&](ScriptedDialog& self, const NotifyEvent&) { nested = SingerDialog(self); });
    d.On(IDC_IMPORT, Notification::Clicked,
         [](ScriptedDialog&, const NotifyEvent&) { throw std::runtime_error("handler failure"); });
    d.init = [&](ScriptedDialog& self) {
        LocalizeDialog(&texts, &self, IDD_SINGER_EDITOR);
        myList.ModifyStyle(0, kLvsShowSelAlways);
        myList.SetExtendedStyle(myList.ExtendedStyle() | kLvsExGridLines | kLvsExHeaderDragDrop |
                                kLvsExFullRowSelect);
        myList.InsertColumn(0, u"", kLvcfmtCenter, 20);
        myList.SetColumnFormat(0, myList.ColumnFormat(0) | kLvcfmtCenter);
        myList.InsertColumn(1, u"Name", kLvcfmtLeft, 160);
        myList.InsertColumn(2, u"BRE", kLvcfmtRight, 35);
        for (int i = 0; i < 40; ++i) {
            const int row = myList.InsertItem(i, u"");
            myList.SetItemText(row, 1, u"row " + DecimalText(i));
            myList.SetItemText(row, 2, DecimalText(i - 20));
            myList.SetItemData(row, (i % 128) | (3 << 16));
        }
        myList.SetItemText(0, 0, u"*");
    };
    d.script = [&](ScriptedDialog& self) {
        HWND dialog = HandleOf(self);
        HWND list = GetDlgItem(dialog, IDC_MY_LIST);
        ExpectText(self.Caption(), u"Probe Editor", "caption from the host's text");
        ExpectText(self.Control(IDC_MY_LABEL).Text(), u"Mine", "label from the host's text");
        ExpectText(self.Control(IDC_IMPORT).Text(), u"Import",
                   "an empty host text leaves the button");
        ExpectText(self.Control(IDC_ACTIVE_LABEL).Text(), u"Active Singers",
                   "a label without host text");
        std::vector<int> ids;
        self.ForEachChild([&](ChildWindow child) {
            ids.push_back(child.Id());
            return true;
        });
        for (int id :
             {IDC_ACTIVE_LIST, IDC_MY_LIST, IDC_COPY_TO_ACTIVE, IDC_EXPORT, IDOK, IDCANCEL})
            Expect(std::find(ids.begin(), ids.end(), id) != ids.end(),
                   "child " + std::to_string(id) + " enumerated");

        const std::wstring library = kora::testhost::WindowProcedureModule(list);
        Expect(library.find(L"common-controls") != std::wstring::npos,
               "list view of common controls 6 (" + kora::testhost::Narrow(library) + ")");
        Expect((myList.ExtendedStyle() & 0x31) == 0x31, "extended styles added");
        Expect(myList.Style() & kLvsShowSelAlways, "show-selection style");
        report(1,
               ("first column format after the update: " + std::to_string(myList.ColumnFormat(0)))
                   .c_str());
        Expect(myList.ColumnFormat(2) == kLvcfmtRight, "column 2 right-aligned");
        Expect(myList.ItemCount() == 40, "40 rows");
        ExpectText(myList.ItemText(3, 1), u"row 3", "row 3 text");
        ExpectText(myList.ItemText(0, 0), u"*", "default mark");
        Expect(myList.ItemData(3) == (3 | (3 << 16)), "row 3 item data");

        const uint32_t both = kLvisSelected | kLvisFocused;
        myList.SetItemState(5, both, both);
        myList.SetSelectionMark(5);
        Expect(myList.FirstSelectedRow() == 5 && myList.NextItem(-1, kLvniFocused) == 5,
               "row 5 selected and focused");
        Expect(myList.SelectionMark() == 5, "selection mark");
        Expect(itemChanges > 0, "item changes reach the message map");
        myList.SetItemState(7, both, both);
        Expect(myList.FirstSelectedRow() == 7 && myList.ItemState(5, both) == 0,
               "single selection");
        myList.EnsureVisible(30, false);
        const int top = myList.TopIndex();
        Expect(top > 0 && 30 >= top && 30 < top + myList.CountPerPage(),
               "row 30 scrolled into view");
        myList.SetRedraw(false);
        myList.DeleteItem(7);
        myList.InsertItem(7, u"");
        myList.SetRedraw(true);
        myList.InvalidateAndUpdate();
        Expect(myList.FirstSelectedRow() == -1, "deleting the selected row leaves none selected");

        myList.notifyWnd = &self;
        const int before = myList.TopIndex();
        SendMessageW(list, WM_VSCROLL, SB_LINEUP, 0);
        Expect(self.scrollNotices == 1 && myList.TopIndex() == before - 1,
               "a scroll step: one notice, then the list moved");
        self.Control(IDOK).SetFocus();
        POINT inside = {10, 40};
        ClientToScreen(list, &inside);
        SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                     MAKELPARAM(inside.x, inside.y));
        Expect(self.scrollNotices == 2, "a wheel turn: one notice");
        Expect(self.FocusedControlId() == IDC_MY_LIST, "the wheel gives the list the focus");
        myList.notifyWnd = nullptr;

        myList.EnsureVisible(2, false);
        RECT cell = {};
        cell.top = 1;
        cell.left = LVIR_BOUNDS;
        SendMessageW(list, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&cell));
        SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                     MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        Expect(doubleClick == std::pair(2, 1), "double click gives the row and column hit (" +
                                                   std::to_string(doubleClick.first) + "," +
                                                   std::to_string(doubleClick.second) + ")");

        AutoAnswer yes{IDYES, dialog};
        AnswerNextPopup(yes);
        const int answer = ShowMessage(IDS_CONFIRM_DELETE, MessageStyle::ConfirmYesNo);
        Expect(yes.answered && answer == kIdYes, "a Yes/No box answers IDYES");
        ExpectText(yes.caption, u"kora4_toolkit_probe", "message box caption is the module's name");
        Expect(yes.popupOwner == dialog, "message box owned by the open dialog");

        AutoAnswer cancel{IDCANCEL, dialog};
        AnswerNextPopup(cancel);
        CLumiM17NString filter;
        filter.LoadString(IDS_FILE_FILTER);
        const auto chosen = ShowFileDialog({FileDialogKind::Open, filter, u"dat",
                                            kOfnHideReadOnly | kOfnPathMustExist, DesktopFolder()});
        Expect(cancel.answered && !chosen, "a cancelled file dialog gives no path");

        SendMessageW(GetDlgItem(dialog, IDC_MY_ADD), BM_CLICK, 0, 0);
        Expect(nested == kIdOk, "nested edit dialog ended with IDOK");
        Expect(SaveScreenshot(dialog, shots, L"toolkit-101"), "screenshot toolkit-101.png");
        // Last: a handler that throws ends the dialog, nothing escapes.
        SendMessageW(GetDlgItem(dialog, IDC_IMPORT), BM_CLICK, 0, 0);
    };
    Expect(d.DoModal() == -1, "a throwing handler ends the dialog with -1");
    Expect(!d.IsOpen() && myList.ItemCount() == 0, "the window is gone after DoModal");
}

}  // namespace

extern "C" __declspec(dllexport) int ProbeToolkit(ProbeReport reportTo, const wchar_t* shotFolder) {
    ExportScope scope;
    try {
        report = reportTo;
        shots = shotFolder ? shotFolder : L".";
        failures = 0;
        CheckPlatform();
        Editor();
    } catch (...) {
        Expect(false, "the probe threw");
    }
    return failures;
}
