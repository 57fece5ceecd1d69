// The singer edit dialog and the cross-synthesis group list on real windows
// under Wine. A DLL built like the module (the dialogs, the toolkit, the
// resources with manifest) opens the real dialog classes over a stand-in
// Singer Editor and plays the user with window messages from a thread
// timer, which runs inside every modal loop of the thread.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "checks.h"
#include "dialogs/singer_dlg.h"
#include "dialogs/singer_dlg_owner.h"
#include "dialogs/xsynth_group_dlg.h"
#include "dialogs/xsynth_group_source.h"
#include "kora4/m17n.h"
#include "model/voice_lookup.h"
#include "model/xsynth_partners.h"
#include "probe_api.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/xsynth_group_res.h"
#include "screenshot.h"
#include "ui/dialog.h"
#include "ui/export_scope.h"
#include "ui/text_module_slot.h"
#include "ui/win32/win32_window.h"
#include "ui/win32/windows_api.h"
#include "window_driver.h"

using namespace kora::ui;
using namespace kora::dialogs;
using kora::testhost::ControlEnabled;
using kora::testhost::ControlText;
using kora::testhost::ListColumns;
using kora::testhost::ListRows;
using kora::testhost::Narrow;
using kora::testhost::SaveScreenshot;
using kora::testhost::WindowText;

namespace {

ProbeReport report = nullptr;
std::wstring shots;
int failures = 0;

bool Expect(bool passed, const std::string& what) {
    if (!passed) ++failures;
    report(passed ? 1 : 0, what.c_str());
    return passed;
}

void ExpectText(const std::wstring& actual, const std::wstring& expected, const std::string& what) {
    Expect(actual == expected, what + " (\"" + Narrow(actual) + "\")");
}

std::wstring Join(const std::vector<std::wstring>& texts, const wchar_t* separator = L"|") {
    std::wstring joined;
    for (size_t i = 0; i < texts.size(); ++i) joined += (i == 0 ? L"" : separator) + texts[i];
    return joined;
}

HWND HandleOf(const Dialog& dialog) {
    auto* window = dynamic_cast<win32::Win32Window*>(dialog.Window());
    return window ? window->Handle() : nullptr;
}

// --- the stand-in Singer Editor --------------------------------------------

const std::u16string kAlto = u"VOICEALTO0000001";
const std::u16string kContralto = u"VOICECONTRALTO02";
const std::u16string kBass = u"VOICEBASS0000003";
const std::u16string kSoprano = u"VOICESOPRANO0004";
const std::u16string kTenor = u"VOICETENOR000005";

constexpr UINT kWhenShown = kWmUser + 201;

class StandInEditor final : public Dialog, public SingerDlgOwner, public XSynthGroupSource {
public:
    StandInEditor() : Dialog(IDD_SINGER_EDITOR) {}

    kora::InstalledVoiceList voices = {
        {1, u"Bass", {-10, -20, -30, -40, -50}, kBass},
        {0, u"Contralto", {7, 8, 9, 10, 11}, kContralto},
        {0, u"Alto", {1, 2, 3, 4, 5}, kAlto},
        {3, u"Tenor", {-1, -2, -3, -4, -5}, kTenor},
        {2, u"Soprano", {20, 21, 22, 23, 24}, kSoprano},
    };
    XSynthGroupList groups = {{u"Choir", {kAlto, kBass, kContralto}},
                              {u"Duo", {kContralto, kSoprano}},
                              {u"Gone", {u"NOTINSTALLED0000"}}};
    std::function<void(StandInEditor&)> whenShown;

    bool FindVoiceDefaults(const std::u16string& voiceId,
                           std::array<int32_t, 5>& defaults) const override {
        const auto found = kora::FindVoiceDefaults(voices, voiceId);
        if (found) defaults = *found;
        return found.has_value();
    }
    void CollectXSynthPartners(const std::u16string& voiceId,
                               std::set<std::u16string>& partners) const override {
        partners = kora::CollectXSynthPartners(groups, voiceId);
    }
    const XSynthGroupList& XSynthGroups() const override { return groups; }
    const kora::InstalledVoiceList& InstalledVoices() const override { return voices; }

    // The list the editor hands over, in display order.
    kora::VoiceListCopy SortedVoiceList() const {
        std::vector<DbmVoiceEntry> entries;
        for (const kora::InstalledVoice& v : voices)
            entries.push_back({u"", v.voiceId.c_str(), v.name.c_str(), v.bank});
        entries.push_back({nullptr, nullptr, nullptr, 0});
        DbmVoiceList list{static_cast<int32_t>(voices.size()), entries.data()};
        kora::VoiceListCopy copy(&list);
        copy.SortForDisplay();
        return copy;
    }

protected:
    bool OnInitDialog() override {
        PostMessageW(HandleOf(*this), kWhenShown, 0, 0);
        return true;
    }
    std::intptr_t OnMessage(uint32_t message, std::uintptr_t, std::intptr_t) override {
        if (message == kWhenShown && whenShown) {
            ShowWindow(HandleOf(*this), SW_SHOW);
            std::exchange(whenShown, nullptr)(*this);
        }
        return 0;
    }
};

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

// --- the user ----------------------------------------------------------------

// A visible dialog-class window of this thread: by caption, or by owner.
struct Search {
    const wchar_t* caption;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(window) || kora::testhost::ClassName(window) != L"#32770") return TRUE;
    if (search->caption && WindowText(window) != search->caption) return TRUE;
    if (search->owner && GetWindow(window, GW_OWNER) != search->owner) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindDialog(const wchar_t* caption, HWND owner = nullptr) {
    Search search{caption, owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    if (kora::testhost::ClassName(window) == L"#32770")
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// The steps of the user, one at a time: each waits (returns false) until
// its window is there, then acts. Actions that open a modal loop are posted
// so that the tick returns first.
struct Step {
    std::string name;
    std::function<bool()> act;
};
std::deque<Step> steps;
int waited = 0;
bool busy = false;
bool abandoned = false;
constexpr UINT kTickMs = 50;
constexpr int kPatienceTicks = 200;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (busy) return;  // a screenshot pumps messages, this timer's too
    busy = true;
    if (abandoned) {
        EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
    } else if (!steps.empty()) {
        if (steps.front().act()) {
            steps.pop_front();
            waited = 0;
        } else if (++waited > kPatienceTicks) {
            Expect(false, "waiting for " + steps.front().name + " timed out");
            steps.clear();
            abandoned = true;
        }
    }
    busy = false;
}

class Driver {
public:
    explicit Driver(std::deque<Step> script) {
        steps = std::move(script);
        waited = 0;
        abandoned = false;
        timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
    }
    ~Driver() {
        KillTimer(nullptr, timer_);
        Expect(steps.empty(), "every step of the user was played");
        steps.clear();
    }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

private:
    UINT_PTR timer_;
};

// Types into a field as the keyboard does, replacing its text.
void Type(HWND dialog, int id, const std::wstring& text) {
    HWND field = GetDlgItem(dialog, id);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : text) SendMessageW(field, WM_CHAR, c, 1);
}

// Moves the focus on, as Tab does: the field's kill-focus notice follows.
void Leave(HWND dialog, int nextId) { SetFocus(GetDlgItem(dialog, nextId)); }

std::vector<std::wstring> ComboItems(HWND dialog, int id) {
    HWND box = GetDlgItem(dialog, id);
    std::vector<std::wstring> items;
    const auto count = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(box, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        const auto n = SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(n > 0 ? static_cast<size_t>(n) : 0);
        items.push_back(text);
    }
    return items;
}

std::wstring ComboChoice(HWND dialog, int id) {
    const auto chosen = static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
    const auto items = ComboItems(dialog, id);
    return chosen >= 0 && chosen < static_cast<int>(items.size()) ? items[chosen] : L"(none)";
}

std::vector<std::wstring> Texts(HWND dialog, std::initializer_list<int> ids) {
    std::vector<std::wstring> texts;
    for (int id : ids) texts.push_back(ControlText(dialog, id));
    return texts;
}

constexpr std::initializer_list<int> kPrimaryFields = {IDC_PRIMARY_BRE, IDC_PRIMARY_BRI,
                                                       IDC_PRIMARY_CLE, IDC_PRIMARY_GEN};
constexpr std::initializer_list<int> kSecondaryFields = {
    IDC_SECONDARY_BRE, IDC_SECONDARY_BRI, IDC_SECONDARY_CLE, IDC_SECONDARY_GEN, IDC_SECONDARY_VOL};
constexpr std::initializer_list<int> kSecondaryControls = {
    IDC_SECONDARY_BRE,      IDC_SECONDARY_BRI,      IDC_SECONDARY_CLE,      IDC_SECONDARY_GEN,
    IDC_SECONDARY_VOL,      IDC_SECONDARY_BRE_SPIN, IDC_SECONDARY_BRI_SPIN, IDC_SECONDARY_CLE_SPIN,
    IDC_SECONDARY_GEN_SPIN, IDC_SECONDARY_VOL_SPIN, IDC_SECONDARY_RESET};

int CountEnabled(HWND dialog, std::initializer_list<int> ids) {
    int n = 0;
    for (int id : ids) n += ControlEnabled(dialog, id) ? 1 : 0;
    return n;
}

void PostClick(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void CheckGroupColumns(HWND groups, const std::wstring& name, const std::wstring& singer) {
    const auto columns = ListColumns(groups, IDC_XSYNTH_LIST);
    if (!Expect(columns.size() == 2, "the group list has two columns")) return;
    ExpectText(columns[0].text, name, "column 0 header");
    ExpectText(columns[1].text, singer, "column 1 header");
    RECT client = {};
    GetClientRect(GetDlgItem(groups, IDC_XSYNTH_LIST), &client);
    const int width = (client.right - client.left - GetSystemMetrics(SM_CXVSCROLL)) / 2;
    Expect(columns[0].width == width && columns[1].width == width,
           "both columns are half the client width less the scroll bar (" + std::to_string(width) +
               ")");
    Expect(columns[0].format == LVCFMT_LEFT && columns[1].format == LVCFMT_LEFT,
           "both columns left-aligned");
}

// --- Add through the edit dialog, with the group list opened from it ----------

struct Windows {
    HWND editor = nullptr;
    HWND singer = nullptr;
    HWND groups = nullptr;
    HWND box = nullptr;
};

std::deque<Step> AddScript(Windows& w) {
    std::deque<Step> script;
    script.push_back(
        {"the edit dialog", [&w] {
             w.singer = FindDialog(L"Add");
             if (!w.singer) return false;
             HWND s = w.singer;
             Expect(GetWindow(s, GW_OWNER) == w.editor, "the edit dialog is owned by the editor");
             ExpectText(Join(ComboItems(s, IDC_PRIMARY_SINGER)),
                        L"Alto|Bass|Contralto|Soprano|Tenor", "primary voices, sorted");
             ExpectText(ComboChoice(s, IDC_PRIMARY_SINGER), L"Alto", "the first voice is chosen");
             ExpectText(Join(Texts(s, kPrimaryFields)), L"1|2|3|4", "Alto's defaults");
             ExpectText(Join(ComboItems(s, IDC_SECONDARY_SINGER)), L"-|Bass|Contralto",
                        "Alto's partners after \"-\"");
             ExpectText(ComboChoice(s, IDC_SECONDARY_SINGER), L"-", "no secondary singer");
             Expect(CountEnabled(s, kSecondaryControls) == 0,
                    "the secondary controls are disabled");
             Expect(SendDlgItemMessageW(s, IDC_SINGER_NAME, EM_GETLIMITTEXT, 0, 0) == 255,
                    "the name field takes 255 characters");
             int32_t low = 0;
             int32_t high = 0;
             SendDlgItemMessageW(s, IDC_SECONDARY_VOL_SPIN, UDM_GETRANGE32,
                                 reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
             Expect(low == -127 && high == 127, "spin range -127..127");

             Type(s, IDC_SINGER_NAME, L"E2E Singer");
             ExpectText(ControlText(s, IDC_SINGER_NAME), L"E2E Singer", "the name typed");

             // Alto -> Bass -> Contralto -> Soprano with the Down key.
             SetFocus(GetDlgItem(s, IDC_PRIMARY_SINGER));
             for (int i = 0; i < 3; ++i)
                 SendDlgItemMessageW(s, IDC_PRIMARY_SINGER, WM_KEYDOWN, VK_DOWN, 0);
             ExpectText(ComboChoice(s, IDC_PRIMARY_SINGER), L"Soprano",
                        "Soprano chosen by keyboard");
             ExpectText(Join(Texts(s, kPrimaryFields)), L"20|21|22|23", "Soprano's defaults");
             ExpectText(Join(ComboItems(s, IDC_SECONDARY_SINGER)), L"-|Contralto",
                        "Soprano's partner");
             Expect(ControlEnabled(s, IDC_SECONDARY_SINGER), "the secondary box is enabled");

             HWND secondary = GetDlgItem(s, IDC_SECONDARY_SINGER);
             const auto item = SendMessageW(secondary, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(L"Contralto"));
             SendMessageW(secondary, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
             SendMessageW(s, WM_COMMAND, MAKEWPARAM(IDC_SECONDARY_SINGER, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(secondary));
             ExpectText(Join(Texts(s, kSecondaryFields)), L"7|8|9|10|0",
                        "Contralto's defaults, VOL 0");
             Expect(CountEnabled(s, kSecondaryControls) == 11,
                    "the secondary controls are enabled");

             Type(s, IDC_PRIMARY_BRE, L"200");
             Leave(s, IDC_PRIMARY_BRI);
             ExpectText(ControlText(s, IDC_PRIMARY_BRE), L"20", "200 is refused on leaving");
             Type(s, IDC_PRIMARY_BRE, L"-45");
             Leave(s, IDC_PRIMARY_BRI);
             ExpectText(ControlText(s, IDC_PRIMARY_BRE), L"-45", "-45 is taken");
             SendDlgItemMessageW(s, IDC_PRIMARY_BRI, WM_KEYDOWN, VK_UP, 0);
             ExpectText(ControlText(s, IDC_PRIMARY_BRI), L"22", "the Up key steps BRI");
             Type(s, IDC_SECONDARY_VOL, L"15");
             Leave(s, IDC_SINGER_NAME);
             ExpectText(ControlText(s, IDC_SECONDARY_VOL), L"15", "VOL 15 is taken");

             Expect(SaveScreenshot(s, shots, L"dialog-23000"), "screenshot dialog-23000.png");
             PostClick(s, IDC_XSYNTH_GROUP_LIST);
             return true;
         }});
    script.push_back(
        {"the group list", [&w] {
             w.groups = FindDialog(L"Cross-Synthesis Group List", w.singer);
             if (!w.groups) return false;
             HWND g = w.groups;
             CheckGroupColumns(g, L"Name", L"Singer");
             std::vector<std::wstring> rows;
             for (const auto& row : ListRows(g, IDC_XSYNTH_LIST)) rows.push_back(Join(row));
             ExpectText(Join(rows, L"; "),
                        L"Choir|Alto; |Bass; |Contralto; Duo|Contralto; |Soprano; Gone|-",
                        "one row per member, the group name on its first row");
             const auto extended =
                 SendDlgItemMessageW(g, IDC_XSYNTH_LIST, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
             Expect((extended & 0x21) == 0x21, "grid lines and full-row select");
             Expect(!IsWindowEnabled(w.singer), "the edit dialog waits behind the group list");
             Expect(SaveScreenshot(g, shots, L"dialog-23001"), "screenshot dialog-23001.png");
             PostClick(g, IDOK);
             return true;
         }});
    script.push_back({"the edit dialog after the group list", [&w] {
                          if (IsWindow(w.groups)) return false;
                          Type(w.singer, IDC_SINGER_NAME, L" \x3000 ");
                          PostClick(w.singer, IDOK);
                          return true;
                      }});
    script.push_back({"the message about a blank name", [&w] {
                          w.box = FindDialog(nullptr, w.singer);
                          if (!w.box) return false;
                          ExpectText(ControlText(w.box, 0xFFFF), L"Singer name is invalid.",
                                     "a blank name is refused");
                          PostMessageW(w.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                          return true;
                      }});
    script.push_back({"the edit dialog after the message", [&w] {
                          if (IsWindow(w.box)) return false;
                          Expect(GetFocus() == GetDlgItem(w.singer, IDC_SINGER_NAME),
                                 "the name field has the focus");
                          Type(w.singer, IDC_SINGER_NAME, L"E2E Singer");
                          PostClick(w.singer, IDOK);
                          return true;
                      }});
    return script;
}

// --- Edit of a stored singer: its values, the primary fixed ------------------

void EditSinger(StandInEditor& editor, const kora::VoiceListCopy& sorted) {
    CSingerDlg dlg(&editor);
    dlg.voiceList = &sorted;
    dlg.editMode = true;
    dlg.name = u"Stored";
    // Contralto is chosen first and then moved down by Bass, which sorts
    // before it but comes later in the list.
    dlg.primaryId = u"voicecontralto02";
    dlg.secondaryId = kAlto;
    dlg.primaryParams.BRE = -3;
    dlg.primaryParams.GEN = 99;
    dlg.secondaryParams.CLE = 5;
    dlg.secondaryParams.VOL = -7;
    std::deque<Step> script;
    script.push_back(
        {"the edit dialog in Edit mode", [] {
             HWND s = FindDialog(L"Edit");
             if (!s) return false;
             ExpectText(ControlText(s, IDC_SINGER_NAME), L"Stored", "the stored name");
             ExpectText(ComboChoice(s, IDC_PRIMARY_SINGER), L"Contralto",
                        "the stored primary, found without regard to case");
             Expect(!ControlEnabled(s, IDC_PRIMARY_SINGER), "the primary is fixed");
             ExpectText(ComboChoice(s, IDC_SECONDARY_SINGER), L"Alto", "the stored secondary");
             ExpectText(Join(Texts(s, kPrimaryFields)), L"-3|0|0|99", "the stored primary values");
             ExpectText(Join(Texts(s, kSecondaryFields)), L"0|0|5|0|-7",
                        "the stored secondary values");
             PostClick(s, IDCANCEL);
             return true;
         }});
    int result = 0;
    {
        Driver user(std::move(script));
        result = dlg.DoModal();
    }
    Expect(result == IDCANCEL, "Cancel ends the edit dialog with IDCANCEL");
}

void AddSinger() {
    StandInEditor editor;
    const kora::VoiceListCopy sorted = editor.SortedVoiceList();
    Windows w;
    int result = 0;
    bool opened = false;
    editor.whenShown = [&](StandInEditor& self) {
        w.editor = HandleOf(self);
        CSingerDlg dlg(&self);
        dlg.voiceList = &sorted;
        opened = true;
        {
            Driver user(AddScript(w));
            result = dlg.DoModal();
        }
        Expect(result == IDOK, "the edit dialog ends with IDOK (" + std::to_string(result) + ")");
        ExpectText(std::wstring(dlg.name.begin(), dlg.name.end()), L"E2E Singer", "name");
        Expect(dlg.primaryId == kSoprano && dlg.primaryBank == 2, "primary Soprano, bank 2");
        Expect(dlg.secondaryId == kContralto, "secondary Contralto");
        const AxVVoiceParam& p = dlg.primaryParams;
        Expect(
            p.BRE == -45 && p.BRI == 22 && p.CLE == 22 && p.GEN == 23 && p.AUX == 0 && p.VOL == 0,
            "primary set -45 22 22 23 0 0");
        const AxVVoiceParam& q = dlg.secondaryParams;
        Expect(q.BRE == 7 && q.BRI == 8 && q.CLE == 9 && q.GEN == 10 && q.AUX == 0 && q.VOL == 15,
               "secondary set 7 8 9 10 0 15");
        EditSinger(self, sorted);
        self.EndDialog(IDOK);
    };
    Expect(editor.DoModal() == IDOK, "the stand-in editor ends with IDOK");
    Expect(opened, "the edit dialog was opened");
}

// --- the group list with the host's texts --------------------------------------

void LocalizedGroupList() {
    const MapTextModule texts({{u"23001", u"Voice Groups"},
                               {u"23116", u"Web Page"},
                               {u"23077", u"Group"},
                               {u"23080", u"Voice"}});
    TextModuleSlot() = &texts;
    StandInEditor editor;  // only read, never opened
    CXSynthGroupDlg dlg;
    dlg.editorDlg = &editor;
    dlg.m17nModule = &texts;
    std::deque<Step> script;
    script.push_back({"the localized group list", [] {
                          HWND g = FindDialog(L"Voice Groups");
                          if (!g) return false;
                          ExpectText(ControlText(g, IDC_OPEN_GROUP_WEB), L"Web Page",
                                     "button 23116 from the host");
                          CheckGroupColumns(g, L"Group", L"Voice");
                          Expect(ListRows(g, IDC_XSYNTH_LIST).size() == 6, "six member rows");
                          Expect(SaveScreenshot(g, shots, L"dialog-23001-localized"),
                                 "screenshot dialog-23001-localized.png");
                          PostClick(g, IDOK);
                          return true;
                      }});
    int result = 0;
    {
        Driver user(std::move(script));
        result = dlg.DoModal();
    }
    TextModuleSlot() = nullptr;
    Expect(result == IDOK, "the group list ends with IDOK");
}

}  // namespace

extern "C" __declspec(dllexport) int ProbeDialogs(ProbeReport reportTo, const wchar_t* shotFolder) {
    ExportScope scope;
    try {
        report = reportTo;
        shots = shotFolder ? shotFolder : L".";
        failures = 0;
        AddSinger();
        LocalizedGroupList();
    } catch (...) {
        Expect(false, "the probe threw");
    }
    return failures;
}
