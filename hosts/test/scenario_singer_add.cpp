// A singer added through the real edit dialog, opened from the real Singer
// Editor of KORA_OpenDefDialog on the stand-ins: a name typed, a primary
// voice chosen, a parameter changed, the group list opened from it, OK. The
// new singer shows in the My list and, after the Singer Editor's OK, in the
// store and the sequence's library table. Screenshots of the edit dialog,
// the group list and the Singer Editor with the new row.
#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>

#include "kora4/kora4.h"
#include "library.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/xsynth_group_res.h"
#include "scenarios.h"
#include "screenshot.h"
#include "standins/file_io.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"
#include "vbank4/store.h"
#include "window_driver.h"

namespace kora::testhost {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kZoe[] = L"Zo\u00EB";
constexpr char16_t kZoeId[] = u"VB4S02ZOE___0010";
constexpr wchar_t kNewName[] = L"Wine Singer";

// A visible dialog-class window of this thread with this caption (and
// owner, when given).
struct Search {
    const wchar_t* caption;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(window) || ClassName(window) != L"#32770") return TRUE;
    if (WindowText(window) != search->caption) return TRUE;
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
    if (ClassName(window) == L"#32770")
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// The user's steps, one per tick of a thread timer (it runs inside every
// modal loop of the thread): each waits (false) until its window is there,
// then acts. Clicks that open a modal loop are posted, so the tick returns.
struct Step {
    std::string name;
    std::function<bool()> act;
};

struct Player {
    Checks* checks = nullptr;
    std::deque<Step> steps;
    int waited = 0;
    bool busy = false;
    bool abandoned = false;
};
Player g_player;
constexpr UINT kTickMs = 50;
constexpr int kPatienceTicks = 200;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Player& p = g_player;
    if (p.busy) return;  // a screenshot pumps messages, this timer's too
    p.busy = true;
    if (p.abandoned) {
        EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
    } else if (!p.steps.empty()) {
        if (p.steps.front().act()) {
            p.steps.pop_front();
            p.waited = 0;
        } else if (++p.waited > kPatienceTicks) {
            p.checks->Expect(false, "waiting for " + p.steps.front().name + " timed out");
            p.steps.clear();
            p.abandoned = true;
        }
    }
    p.busy = false;
}

void PostClick(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Types into a field as the keyboard does, replacing its text.
void Type(HWND dialog, int id, const std::wstring& text) {
    HWND field = GetDlgItem(dialog, id);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : text) SendMessageW(field, WM_CHAR, c, 1);
}

// Chooses the item with this text as a mouse pick does: the selection,
// then the owner's selection-change notice.
bool Choose(HWND dialog, int id, const std::wstring& text) {
    HWND box = GetDlgItem(dialog, id);
    const auto item = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text.c_str()));
    if (item == CB_ERR) return false;
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    return true;
}

int SelectedRow(HWND dialog, int listId) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, listId), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string ReadFile(const fs::path& path) { return standins::ReadWholeFile(path).bytes; }

struct Windows {
    HWND editor = nullptr;
    HWND singer = nullptr;
    HWND groups = nullptr;
    int myRows = 0;
};

std::deque<Step> AddScript(Checks& checks, const std::wstring& shots, Windows& w) {
    std::deque<Step> script;
    script.push_back({"the Singer Editor", [&] {
                          w.editor = FindDialog(L"Singer Editor");
                          if (!w.editor) return false;
                          PumpMessages(200);  // filled and painted
                          w.myRows = static_cast<int>(ListRows(w.editor, IDC_MY_LIST).size());
                          checks.ExpectEqual(w.myRows, 7, "the sample's seven My singers");
                          PostClick(w.editor, IDC_MY_ADD);
                          return true;
                      }});
    script.push_back(
        {"the edit dialog", [&] {
             w.singer = FindDialog(L"Add", w.editor);
             if (!w.singer) return false;
             HWND s = w.singer;
             Type(s, IDC_SINGER_NAME, kNewName);
             checks.Expect(Choose(s, IDC_PRIMARY_SINGER, kZoe), "Zoë is offered as primary");
             Type(s, IDC_PRIMARY_BRI, L"-33");
             SetFocus(GetDlgItem(s, IDC_PRIMARY_CLE));  // leaving BRI
             checks.ExpectEqual(ControlText(s, IDC_PRIMARY_BRI), L"-33", "BRI -33 is taken");
             checks.ExpectEqual(ControlText(s, IDC_SECONDARY_SINGER), L"-", "no secondary singer");
             checks.Expect(SaveScreenshot(s, shots, L"singer-editor-add-23000"),
                           "screenshot singer-editor-add-23000.png");
             PostClick(s, IDC_XSYNTH_GROUP_LIST);
             return true;
         }});
    script.push_back({"the group list", [&] {
                          w.groups = FindDialog(L"Cross-Synthesis Group List", w.singer);
                          if (!w.groups) return false;
                          const auto rows = ListRows(w.groups, IDC_XSYNTH_LIST);
                          checks.Expect(rows.size() == 13 && rows[0][0] == L"Light sopranos",
                                        "the catalog's four groups, one row per member");
                          checks.Expect(SaveScreenshot(w.groups, shots, L"singer-editor-add-23001"),
                                        "screenshot singer-editor-add-23001.png");
                          PostClick(w.groups, IDOK);
                          return true;
                      }});
    script.push_back({"the edit dialog after the group list", [&] {
                          if (IsWindow(w.groups)) return false;
                          PostClick(w.singer, IDOK);
                          return true;
                      }});
    script.push_back({"the Singer Editor with the new singer", [&] {
                          if (IsWindow(w.singer)) return false;
                          PumpMessages(100);
                          const auto rows = ListRows(w.editor, IDC_MY_LIST);
                          if (!checks.ExpectEqual(static_cast<long long>(rows.size()), w.myRows + 1,
                                                  "one My row more")) {
                              PostClick(w.editor, IDCANCEL);
                              return true;
                          }
                          const auto& added = rows.back();
                          checks.ExpectEqual(added[1], kNewName, "the new row's name");
                          checks.ExpectEqual(added[2], kZoe, "the new row's primary singer");
                          checks.ExpectEqual(added[4], L"-33", "the new row's BRI");
                          checks.ExpectEqual(added[7], L"-", "the new row's secondary singer");
                          checks.ExpectEqual(SelectedRow(w.editor, IDC_MY_LIST), w.myRows,
                                             "the new row is selected");
                          checks.Expect(SaveScreenshot(w.editor, shots, L"singer-editor-added"),
                                        "screenshot singer-editor-added.png");
                          PostClick(w.editor, IDOK);
                          return true;
                      }});
    return script;
}

bool PrepareWorkspace(Checks& checks, fs::path& database, fs::path& sequence) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const fs::path samples = fs::path(exe).parent_path() / L"e2e-data";
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path root =
        fs::path(temp) / (L"kora4-e2e-add-" + std::to_wstring(GetCurrentProcessId()));
    std::error_code ec;
    fs::remove_all(root, ec);
    database = root / L"vbank4";
    sequence = root / L"sequence.json";
    fs::create_directories(database, ec);
    bool copied = !ec;
    for (const wchar_t* file : {L"catalog.json", L"store.json"})
        copied = copied && fs::copy_file(samples / L"vbank4" / file, database / file, ec);
    copied = copied && fs::copy_file(samples / L"sequence.json", sequence, ec);
    return checks.Expect(copied, "sample database and sequence copied (" + ec.message() + ")");
}

}  // namespace

void SingerEditorAdd(Checks& checks, const std::wstring& shots) {
    fs::path database;
    fs::path sequencePath;
    if (!PrepareWorkspace(checks, database, sequencePath)) return;
    _wputenv_s(L"VBANK4_HOME", database.c_str());

    Library kora(L"kora4.dll");
    if (!checks.Expect(static_cast<bool>(kora), "kora4.dll loads by name")) return;
    auto init = kora.Function<PFN_KORA_Init>("KORA_Init");
    auto del = kora.Function<PFN_KORA_Delete>("KORA_Delete");
    auto open = kora.Function<PFN_KORA_OpenDefDialog>("KORA_OpenDefDialog");
    if (!checks.Expect(init && del && open, "the exports are there")) return;
    if (!checks.ExpectEqual(init(), 0, "KORA_Init with the vbank4 stand-in")) return;

    const trak4::SequenceDocument sample = trak4::LoadSequence(sequencePath);
    trak4::TrakManager sequence(sample);
    Windows windows;
    g_player = Player{&checks, AddScript(checks, shots, windows)};
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
    const uint32_t status = open(1, &sequence, 0xFFFFFFFF);
    KillTimer(nullptr, timer);
    checks.Expect(g_player.steps.empty() && !g_player.abandoned, "every step of the user played");
    checks.ExpectEqual(status, 0, "KORA_OpenDefDialog after OK");

    // The store: the sample's seven and the new singer at Zoë's bank 2, the
    // lowest program the database had free there.
    const vbank4::StoreState store = vbank4::ParseStore(ReadFile(database / L"store.json"));
    checks.ExpectEqual(static_cast<long long>(store.voices.size()), 8, "eight voices stored");
    const auto stored = store.voices.find({2, 1});
    if (checks.Expect(stored != store.voices.end(), "a voice stored at (2,1)")) {
        const vbank4::VirtualVoice& voice = stored->second;
        checks.Expect(voice.name == u"Wine Singer", "stored name");
        checks.Expect(voice.primaryVoiceId == kZoeId, "stored primary voice");
        checks.Expect(voice.secondaryVoiceId.empty(), "stored without a secondary voice");
        checks.ExpectEqual(voice.primaryParams[1], -33, "stored BRI");
    }
    checks.Expect(fs::exists(database / L"registry.json"), "the commit updated the registry");
    const trak4::SequenceDocument after = sequence.Document();
    checks.Expect(after.library.count({2, 1}) && after.library.at({2, 1}).name == u"Wine Singer",
                  "the sequence's library table holds the new singer");
    checks.Expect(trak4::SameContent(trak4::SequenceDocument{sample.voices, after.library, {}},
                                     trak4::SequenceDocument{after.voices, after.library, {}}),
                  "the sequence's voices are as they were");

    checks.ExpectEqual(del(), 0, "KORA_Delete");
    std::error_code ec;
    fs::remove_all(database.parent_path(), ec);
}

}  // namespace kora::testhost
