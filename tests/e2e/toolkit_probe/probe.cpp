// The Win32 toolkit on real windows: a DLL built like the module (toolkit and
// resources, none of which the host has) runs dialogs written on the seam and
// drives them with window messages.
#include <functional>
#include <map>
#include <stdexcept>
#include <utility>

#include "harness.h"
#include "kora4/m17n.h"
#include "model/singer_rows.h"
#include "probe_api.h"
#include "res/singer_editor_res.h"
#include "screenshot.h"
#include "text_module_fake.h"
#include "ui/dialog.h"
#include "ui/export_scope.h"
#include "ui/format_text.h"
#include "ui/list_ctrl_ext.h"
#include "ui/localize.h"
#include "ui/toolkit.h"
#include "ui/win32/win32_window.h"
#include "ui/win32/windows_api.h"

using namespace kora::ui;
using kora::MyRows;
using kora::RowStates;
using kora::ui::test::MapTextModule;
namespace th = kora::testhost;

namespace {

th::Checks checks;
std::wstring shots;

void Expect(bool passed, const std::string& what) { checks.Expect(passed, what); }

void ExpectText(std::u16string_view actual, std::u16string_view expected, const std::string& what) {
    checks.Equal(std::wstring(actual.begin(), actual.end()),
                 std::wstring(expected.begin(), expected.end()), what);
}

HWND HandleOf(const Dialog& dialog) {
    auto* window = dynamic_cast<win32::Win32Window*>(dialog.Window());
    return window ? window->Handle() : nullptr;
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
    std::function<void(ScriptedDialog&)> script;
    int scrollNotices = 0;

protected:
    bool OnInitDialog() override {
        PostMessageW(HandleOf(*this), kRunScript, 0, 0);
        return true;
    }
    std::span<const MessageMapEntry> MessageMap() const override { return map_; }
    std::intptr_t OnMessage(uint32_t message, std::uintptr_t, std::intptr_t) override {
        if (message == kWmListScrolled) ++scrollNotices;
        if (message == kRunScript && script) {
            ShowWindow(HandleOf(*this), SW_SHOW);  // as the user sees it
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

// The My list of 101 is a virtual list: it shows `rows`, 40 singers "row00"
// to "row39" at (i, 3), the first one marked as the default.
void CheckList(ScriptedDialog& self, CListCtrlExt& myList, MyRows& rows,
               const std::pair<int, int>& doubleClick, const int& itemChanges) {
    HWND list = GetDlgItem(HandleOf(self), IDC_MY_LIST);
    Expect((myList.ExtendedStyle() & 0x31) == 0x31 && (myList.Style() & kLvsShowSelAlways) &&
               myList.ColumnFormat(2) == kLvcfmtRight && myList.ColumnWidth(1) == 160,
           "styles added; column 2 right-aligned, column 1 160 wide");
    Expect(myList.ItemCount() == 40 && myList.ItemData(3) == (3 | (3 << 16)) && itemChanges == 0,
           "40 rows, item data from the model, no item change yet");
    ExpectText(myList.ItemText(3, 1) + myList.ItemText(0, 0) + myList.ItemText(3, 3), u"row03*-17",
               "cell texts from the model");

    const uint32_t both = kLvisSelected | kLvisFocused;
    myList.SetItemState(5, both, both);
    myList.SetSelectionMark(5);
    Expect(rows.States() == RowStates{5, 5, 5} && myList.NextItem(-1, kLvniFocused) == 5 &&
               myList.SelectionMark() == 5 && itemChanges > 0,
           "row 5 selected, focused and marked, the model too; the message map heard it");
    myList.SetItemState(7, both, both);
    Expect(myList.FirstSelectedRow() == 7 && myList.ItemState(5, both) == 0, "single selection");
    myList.EnsureVisible(30, false);
    const int top = myList.TopIndex();
    Expect(top > 0 && 30 >= top && 30 < top + myList.CountPerPage(), "row 30 scrolled into view");
    rows.Insert(0, rows.Entry(39));
    myList.RowsChanged(0, -1);
    const bool moved = myList.ItemCount() == 41 && myList.ItemState(8, both) == both &&
                       myList.SelectionMark() == 8;
    rows.Remove(8);
    myList.RowsChanged(8, -1);
    Expect(moved && myList.NextItem(-1, kLvniSelected) == -1 && myList.FirstSelectedRow() == -1,
           "the selection moves with a row inserted above and goes with its row");
    for (wchar_t c : std::wstring(L"ROW35")) SendMessageW(list, WM_CHAR, c, 1);
    Expect(rows.Selected() == 35 && myList.NextItem(-1, kLvniSelected) == 35,
           "typing a name's beginning selects it");
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    Expect(rows.Selected() == 36 && rows.States().focused == 36, "the Down key moves on");

    myList.notifyWnd = &self;
    const int before = myList.TopIndex();
    SendMessageW(list, WM_VSCROLL, SB_LINEUP, 0);
    Expect(self.scrollNotices == 1 && myList.TopIndex() == before - 1,
           "a scroll step: one notice, then the list moved");
    self.Control(IDOK).SetFocus();
    POINT inside = {10, 40};
    ClientToScreen(list, &inside);
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(inside.x, inside.y));
    Expect(self.scrollNotices == 2 && self.FocusedControlId() == IDC_MY_LIST,
           "a wheel turn: one notice, the list takes the focus");
    myList.notifyWnd = nullptr;

    myList.EnsureVisible(2, false);
    RECT cell = {LVIR_BOUNDS, 1, 0, 0};
    SendMessageW(list, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&cell));
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    Expect(doubleClick == std::pair(2, 1), "double click gives the row and column hit");
}

void Editor() {
    ScriptedDialog d(IDD_SINGER_EDITOR, nullptr);
    CListCtrlExt myList;
    myList.Attach(d, IDC_MY_LIST);
    std::vector<kora::SingerEntry> singers(40);
    for (int i = 0; i < 40; ++i) {
        kora::SingerEntry& singer = singers[static_cast<size_t>(i)];
        singer.bank = i;
        singer.program = 3;
        singer.name = u"row" + DecimalText(i / 10) + DecimalText(i % 10);
        singer.primaryParams[0] = i - 20;
    }
    MyRows rows(singers);
    rows.SetDefault({0, 3});
    myList.ShowRows(rows);
    MapTextModule texts({{u"101", u"Probe Editor"}, {u"1003", u"Mine"}, {u"23117", u""}});
    int itemChanges = 0;
    std::pair<int, int> doubleClick{-9, -9};
    d.On(IDC_MY_LIST, Notification::ItemChanged,
         [&](ScriptedDialog&, const NotifyEvent&) { ++itemChanges; });
    d.On(IDC_MY_LIST, Notification::DblClk, [&](ScriptedDialog&, const NotifyEvent& e) {
        doubleClick = {e.item, e.subItem};
    });
    d.On(IDC_IMPORT, Notification::Clicked,
         [](ScriptedDialog&, const NotifyEvent&) { throw std::runtime_error("handler failure"); });
    d.script = [&](ScriptedDialog& self) {
        LocalizeDialog(&texts, &self, IDD_SINGER_EDITOR);
        myList.ModifyStyle(0, kLvsShowSelAlways);
        myList.SetExtendedStyle(myList.ExtendedStyle() | kLvsExGridLines | kLvsExHeaderDragDrop |
                                kLvsExFullRowSelect);
        myList.InsertColumn(0, u"", kLvcfmtCenter, 20);
        myList.InsertColumn(1, u"Name", kLvcfmtLeft, 160);
        myList.InsertColumn(2, u"Primary Singer", kLvcfmtRight, 35);
        myList.InsertColumn(3, u"BRE", kLvcfmtRight, 35);
        HWND dialog = HandleOf(self);
        ExpectText(self.Caption() + u"|" + self.Control(IDC_MY_LABEL).Text() + u"|" +
                       self.Control(IDC_IMPORT).Text() + u"|" +
                       self.Control(IDC_ACTIVE_LABEL).Text(),
                   u"Probe Editor|Mine|Import|Active Singers",
                   "host texts replace caption and label; empty or none leave the template's");
        CheckList(self, myList, rows, doubleClick, itemChanges);

        th::SaveScreenshot(dialog, shots, L"toolkit-101");
        // Last: a handler that throws ends the dialog, nothing escapes.
        SendMessageW(GetDlgItem(dialog, IDC_IMPORT), BM_CLICK, 0, 0);
    };
    Expect(d.DoModal() == -1, "a throwing handler ends the dialog with -1");
    Expect(!d.IsOpen() && myList.ItemCount() == 0, "the window is gone after DoModal");
}

}  // namespace

extern "C" __declspec(dllexport) int ProbeToolkit(ProbeReport reportTo, const wchar_t* shotFolder) {
    ExportScope scope;
    checks = {};
    checks.report = reportTo;
    shots = shotFolder ? shotFolder : L".";
    try {
        Editor();
    } catch (...) {
        Expect(false, "the probe threw");
    }
    return checks.failures;
}
