// A singer added through the real edit dialog (23000), opened from the real
// Singer Editor of KORA_OpenDefDialog on the stand-ins, with the group list
// (23001) opened from it; after OK the store, the registry and the library
// table hold the singer.
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/xsynth_group_res.h"
#include "scenarios.h"
#include "screenshot.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"
#include "vbank4/store.h"

namespace kora::testhost {
namespace {

const std::vector<int> kSecondaryControls = {
    IDC_SECONDARY_BRE,      IDC_SECONDARY_BRI,      IDC_SECONDARY_CLE,      IDC_SECONDARY_GEN,
    IDC_SECONDARY_VOL,      IDC_SECONDARY_BRE_SPIN, IDC_SECONDARY_BRI_SPIN, IDC_SECONDARY_CLE_SPIN,
    IDC_SECONDARY_GEN_SPIN, IDC_SECONDARY_VOL_SPIN, IDC_SECONDARY_RESET};

// Types into a field and moves the focus on, as Tab does.
void Enter(HWND dialog, int id, const std::wstring& text, int nextId) {
    Type(dialog, id, text);
    SetFocus(GetDlgItem(dialog, nextId));
}

struct Windows {
    HWND editor = nullptr, singer = nullptr, groups = nullptr, box = nullptr;
};

void FillEditDialog(Checks& checks, HWND s) {
    checks.Equal(SendDlgItemMessageW(s, IDC_SINGER_NAME, EM_GETLIMITTEXT, 0, 0), 255,
                 "the name field takes 255 characters");
    int32_t low = 0, high = 0;
    SendDlgItemMessageW(s, IDC_PRIMARY_BRE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                        reinterpret_cast<LPARAM>(&high));
    checks.Expect(low == -127 && high == 127, "spin range -127..127");
    checks.Equal(SendDlgItemMessageW(s, IDC_PRIMARY_SINGER, CB_GETCOUNT, 0, 0), 12,
                 "the twelve installed voices offered as primary");
    checks.Equal(ControlText(s, IDC_SECONDARY_SINGER), L"-", "no secondary voice chosen");
    checks.Equal(CountEnabled(s, kSecondaryControls), 0, "secondary values disabled");

    Type(s, IDC_SINGER_NAME, L"Wine Singer");
    checks.Expect(Choose(s, IDC_PRIMARY_SINGER, L"Zo\u00EB"), "Zoë chosen as primary");
    checks.Equal(SendDlgItemMessageW(s, IDC_SECONDARY_SINGER, CB_GETCOUNT, 0, 0), 5,
                 "\"-\" and Zoë's four partners offered as secondary");
    checks.Expect(Choose(s, IDC_SECONDARY_SINGER, L"Aurora"), "Aurora chosen as secondary");
    checks.Equal(CountEnabled(s, kSecondaryControls), 11, "secondary values enabled");

    Enter(s, IDC_PRIMARY_BRE, L"200", IDC_PRIMARY_BRI);
    checks.Equal(ControlText(s, IDC_PRIMARY_BRE), L"8", "200 is refused on leaving");
    Enter(s, IDC_PRIMARY_BRI, L"-33", IDC_PRIMARY_CLE);
    SendDlgItemMessageW(s, IDC_PRIMARY_CLE, WM_KEYDOWN, VK_UP, 0);  // 25 to 26
    Enter(s, IDC_SECONDARY_VOL, L"15", IDC_SINGER_NAME);
    // The defaults of both voices and these changes show in the new My row.
}

std::vector<Step> AddScript(Checks& checks, const std::wstring& shots, Windows& w) {
    return {
        InEditor([&](HWND editor) {
            w.editor = editor;
            checks.Equal(static_cast<long long>(ListRows(editor, IDC_MY_LIST).size()), 7,
                         "the sample's seven My singers");
            PostClick(editor, IDC_MY_ADD);
        }),
        {"the edit dialog",
         [&] {
             if (!(w.singer = FindDialog(L"Add", w.editor))) return false;
             FillEditDialog(checks, w.singer);
             SaveScreenshot(w.singer, shots, L"singer-editor-add-23000");
             PostClick(w.singer, IDC_XSYNTH_GROUP_LIST);
             return true;
         }},
        {"the group list",
         [&] {
             if (!(w.groups = FindDialog(L"Cross-Synthesis Group List", w.singer))) return false;
             const auto rows = ListRows(w.groups, IDC_XSYNTH_LIST);
             checks.Expect(rows.size() == 13 && Join(rows[0]) == L"Light sopranos|Aurora" &&
                               Join(rows[1]) == L"|\u00C9lodie",
                           "one row per member, the group name on its first row");
             checks.Expect(!IsWindowEnabled(w.singer), "the edit dialog waits behind it");
             PostClick(w.groups, IDOK);
             return true;
         }},
        {"the edit dialog after the group list",
         [&] {
             if (IsWindow(w.groups)) return false;
             Type(w.singer, IDC_SINGER_NAME, L" \x3000 ");
             PostClick(w.singer, IDOK);
             return true;
         }},
        {"the message about a blank name",
         [&] {
             if (!(w.box = FindDialog(nullptr, w.singer))) return false;
             checks.Equal(ControlText(w.box, 0xFFFF), L"Singer name is invalid.",
                          "a blank name is refused");
             checks.Equal(WindowText(w.box), L"kora4", "the module's name as its caption");
             PostMessageW(w.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
             return true;
         }},
        {"the edit dialog after the message",
         [&] {
             if (IsWindow(w.box)) return false;
             checks.Expect(GetFocus() == GetDlgItem(w.singer, IDC_SINGER_NAME),
                           "the name field has the focus");
             Type(w.singer, IDC_SINGER_NAME, L"Wine Singer");
             PostClick(w.singer, IDOK);
             return true;
         }},
        {"the Singer Editor with the new singer",
         [&] {
             if (IsWindow(w.singer)) return false;
             PumpMessages(100);
             const auto rows = ListRows(w.editor, IDC_MY_LIST);
             checks.Equal(rows.size() == 8 ? Join(rows.back()) : L"",
                          L"|Wine Singer|Zo\u00EB|8|-33|26|-25|Aurora|10|20|15|-5|15",
                          "the new row after the seven");
             checks.Equal(SelectedRow(w.editor, IDC_MY_LIST), 7, "the new row is selected");
             SaveScreenshot(w.editor, shots, L"singer-editor-added");
             PostClick(w.editor, IDOK);
             return true;
         }},
    };
}

}  // namespace

void SingerEditorAdd(Checks& checks, const std::wstring& shots) {
    Workspace work(checks, L"kora4-e2e-add-");
    Kora kora(checks);
    if (!work.ready || !kora.ready) return;
    const trak4::SequenceDocument sample = trak4::LoadSequence(work.sequence);
    trak4::TrakManager sequence(sample);
    Windows windows;
    uint32_t status = 1;
    PlaySteps(checks, AddScript(checks, shots, windows),
              [&] { status = kora.open(1, &sequence, 0xFFFFFFFF); });
    checks.Equal(status, 0, "KORA_OpenDefDialog after OK");

    // Stored at Zoë's bank 2, the lowest program free there.
    const vbank4::StoreState store = vbank4::ParseStore(work.StoreBytes());
    const auto stored = store.voices.find({2, 1});
    checks.Expect(store.voices.size() == 8 && stored != store.voices.end() &&
                      stored->second.name == u"Wine Singer" &&
                      stored->second.primaryVoiceId == u"VB4S02ZOE___0010" &&
                      stored->second.secondaryVoiceId == u"VB4S00AURORA0001" &&
                      stored->second.primaryParams[1] == -33,
                  "the store holds the new singer at (2,1)");
    const trak4::SequenceDocument after = sequence.Document();
    checks.Expect(exists(work.database / L"registry.json") && after.library.count({2, 1}) &&
                      after.library.at({2, 1}).name == u"Wine Singer",
                  "the commit updated the registry; the library table holds the new singer");
    checks.Expect(
        trak4::SameContent({sample.voices, after.library, {}}, {after.voices, after.library, {}}),
        "the sequence's voices are as they were");
}

}  // namespace kora::testhost
