// The real Singer Editor with 16,384 singers in each list (generated data in
// a temporary folder): the initial selection far down shown whole, rows far
// down selected as a user does, edited through the edit dialog, deleted, a
// new default marked; after OK the sequence and the store hold exactly those
// changes. Only the rows a check needs are read: a cell costs a message.
#include <utility>

#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "scale_data/scale_data.h"
#include "scenarios.h"
#include "screenshot.h"
#include "standins/file_io.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"
#include "vbank4/store.h"

namespace kora::testhost {
namespace {

namespace fs = std::filesystem;
using PairKey = std::pair<int32_t, int32_t>;

constexpr int kSingers = scaledata::kMaxSingers;
constexpr int kFarRow = 15000;
constexpr PairKey kInitial = {120, 60};  // sorted by bank: row 15,360 or below
const PairKey kGeneratedDefault = {scaledata::BankOf((kSingers - 1) / 2),
                                   scaledata::ProgramOf((kSingers - 1) / 2)};

LPARAM Packed(PairKey pair) { return pair.first | (pair.second << 16); }
PairKey Unpacked(LPARAM data) {
    return {static_cast<int32_t>(data & 0xFFFF), static_cast<int32_t>((data >> 16) & 0xFFFF)};
}

PairKey RowPair(HWND list, int row) { return Unpacked(RowData(list, row)); }

int RowOf(HWND list, PairKey pair) {
    LVFINDINFOW find = {};
    find.flags = LVFI_PARAM;
    find.lParam = Packed(pair);
    return static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find)));
}

std::wstring Cell(HWND dialog, int listId, int row, size_t column) {
    const auto texts = ListRow(dialog, listId, row);
    return column < texts.size() ? texts[column] : L"(no cell)";
}

bool SelectedAndFocused(HWND list, int row) {
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    return (SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), both) & both) == both;
}

void Key(HWND list, UINT key) {
    SetFocus(list);
    SendMessageW(list, WM_KEYDOWN, key, 1);
    SendMessageW(list, WM_KEYUP, key, 0xC0000001);
}

vbank4::StoreState ReadStore(const fs::path& database) {
    return vbank4::ParseStore(standins::ReadWholeFile(database / "store.json").bytes);
}

// Types a name and a BRE into the edit dialog over `editor` and presses OK;
// false while it is not open.
bool EditInDialog(Checks& checks, HWND editor, const std::wstring& shownName,
                  const std::wstring& name, const std::wstring& bre) {
    HWND singer = FindDialog(nullptr, editor);
    if (!singer) return false;
    checks.Equal(ControlText(singer, IDC_SINGER_NAME), shownName,
                 "the edit dialog shows the selected singer");
    Type(singer, IDC_SINGER_NAME, name);
    Type(singer, IDC_PRIMARY_BRE, bre);
    PostClick(singer, IDOK);
    return true;
}

// What the user does and what the checks after OK expect.
struct Changes {
    HWND editor = nullptr, active = nullptr, my = nullptr;
    PairKey activeEdited, activeDeleted, myEdited, newDefault;
    std::wstring shownName;
};

bool Idle(const Changes& c) { return IsWindow(c.editor) && ThreadDialogs().size() == 1; }

std::vector<Step> Script(Checks& checks, Changes& c, const std::wstring& shots) {
    return {
        InEditor([&](HWND editor) {
            c.editor = editor;
            c.active = GetDlgItem(editor, IDC_ACTIVE_LIST);
            c.my = GetDlgItem(editor, IDC_MY_LIST);
            checks.Expect(ListView_GetItemCount(c.active) == kSingers &&
                              ListView_GetItemCount(c.my) == kSingers,
                          "both lists hold 16,384 singers");
            const int initial = SelectedRow(editor, IDC_ACTIVE_LIST);
            const int top = ListView_GetTopIndex(c.active);
            checks.Expect(initial >= 15360 && RowPair(c.active, initial) == kInitial &&
                              SelectedAndFocused(c.active, initial) && top <= initial &&
                              initial < top + ListView_GetCountPerPage(c.active),
                          "the initial selection far down is selected, focused and shown whole");
            SaveScreenshot(editor, shots, L"singer-editor-full-scale");
            ListView_SetItemState(c.active, kFarRow, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(c.active, kFarRow, FALSE);
            c.activeEdited = RowPair(c.active, kFarRow);
            c.shownName = Cell(editor, IDC_ACTIVE_LIST, kFarRow, 0);
            PostClick(editor, IDC_ACTIVE_EDIT);
        }),
        {"the Active edit dialog",
         [&] { return EditInDialog(checks, c.editor, c.shownName, L"Far Active", L"7"); }},
        {"the Singer Editor after the Active edit",
         [&] {
             if (!Idle(c)) return false;
             const auto row = ListRow(c.editor, IDC_ACTIVE_LIST, kFarRow);
             checks.Expect(row.size() == 12 && row[0] == L"Far Active" && row[2] == L"7" &&
                               SelectedAndFocused(c.active, kFarRow),
                           "the edited Active row shows the edit, still selected");
             Key(c.active, VK_DOWN);
             checks.Equal(SelectedRow(c.editor, IDC_ACTIVE_LIST), kFarRow + 1,
                          "the Down key selects the next row");
             c.activeDeleted = RowPair(c.active, kFarRow + 1);
             PostClick(c.editor, IDC_ACTIVE_DELETE);
             return true;
         }},
        {"the confirmation",
         [&] {
             HWND box = FindDialog(L"kora4");
             if (!box) return false;
             checks.Equal(ControlText(box, 0xFFFF), L"Do you really want to delete the singer? ",
                          "the delete asks first");
             PostMessageW(box, WM_COMMAND, IDYES, 0);
             return true;
         }},
        {"the Singer Editor after the delete",
         [&] {
             if (!Idle(c)) return false;
             checks.Expect(ListView_GetItemCount(c.active) == kSingers - 1 &&
                               RowOf(c.active, c.activeDeleted) == -1,
                           "the deleted Active row is gone");
             Key(c.my, VK_END);
             checks.Equal(SelectedRow(c.editor, IDC_MY_LIST), kSingers - 1,
                          "the End key selects the last My row");
             c.myEdited = RowPair(c.my, kSingers - 1);
             c.shownName = Cell(c.editor, IDC_MY_LIST, kSingers - 1, 1);
             PostClick(c.editor, IDC_MY_EDIT);
             return true;
         }},
        {"the My edit dialog",
         [&] { return EditInDialog(checks, c.editor, c.shownName, L"Far Mine", L"-7"); }},
        {"the Singer Editor after the My edit",
         [&] {
             if (!Idle(c)) return false;
             const auto row = ListRow(c.editor, IDC_MY_LIST, kSingers - 1);
             checks.Expect(row.size() == 13 && row[1] == L"Far Mine" && row[3] == L"-7",
                           "the edited My row shows the edit");
             const int formerDefault = RowOf(c.my, kGeneratedDefault);
             checks.Equal(Cell(c.editor, IDC_MY_LIST, formerDefault, 0), L"*",
                          "the generated default is marked");
             // A double click on the mark column of a row far down.
             ListView_EnsureVisible(c.my, kFarRow, FALSE);
             RECT cell = {LVIR_LABEL, 0, 0, 0};
             SendMessageW(c.my, LVM_GETITEMRECT, kFarRow, reinterpret_cast<LPARAM>(&cell));
             SendMessageW(c.my, WM_LBUTTONDBLCLK, MK_LBUTTON,
                          MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
             c.newDefault = RowPair(c.my, kFarRow);
             const int top = ListView_GetTopIndex(c.my);
             int marks = 0;
             for (const auto& shown :
                  ListRows(c.editor, IDC_MY_LIST, top, ListView_GetCountPerPage(c.my)))
                 marks += shown[0] == L"*" ? 1 : 0;
             checks.Expect(Cell(c.editor, IDC_MY_LIST, kFarRow, 0) == L"*" &&
                               Cell(c.editor, IDC_MY_LIST, formerDefault, 0).empty() && marks == 1,
                           "the mark moved to the double-clicked row alone");
             Click(c.editor, IDOK);
             return true;
         }},
    };
}

}  // namespace

void SingerEditorFullScale(Checks& checks, const std::wstring& shots) {
    const ScratchFolder work(L"kora4-full-");
    const auto layout = scaledata::DemoLayout(work.root);
    try {
        scaledata::Write(layout, {kSingers, kSingers});
    } catch (const std::exception& e) {
        checks.Expect(false, std::string("full-scale data written: ") + e.what());
        return;
    }
    _wputenv_s(L"VBANK4_HOME", layout.database.c_str());
    const vbank4::StoreState storeBefore = ReadStore(layout.database);
    const trak4::SequenceDocument before = trak4::LoadSequence(layout.sequence);
    trak4::TrakManager sequence(before);
    Changes c;
    {
        Kora kora(checks);
        if (!kora.ready) return;
        uint32_t status = 1;
        PlaySteps(checks, Script(checks, c, shots), [&] {
            status = kora.open(1, &sequence, static_cast<uint32_t>(Packed(kInitial)));
        });
        checks.Equal(status, 0, "KORA_OpenDefDialog after OK");
    }

    trak4::SequenceDocument expected = before;
    auto& edited = expected.voices[c.activeEdited];
    edited.name = u"Far Active";
    edited.primary.BRE = 7;
    expected.voices.erase(c.activeDeleted);
    auto& mine = expected.library[c.myEdited];
    mine.name = u"Far Mine";
    mine.primary.BRE = -7;
    checks.Expect(trak4::SameContent(sequence.Document(), expected),
                  "the sequence holds the Active edit and delete and the My edit, nothing else");

    vbank4::StoreState storeExpected = storeBefore;
    storeExpected.voices[c.myEdited].name = u"Far Mine";
    storeExpected.voices[c.myEdited].primaryParams[0] = -7;
    storeExpected.defaultVoice = c.newDefault;
    const vbank4::StoreState storeAfter = ReadStore(layout.database);
    checks.Expect(storeBefore.voices.size() == kSingers &&
                      storeAfter.voices == storeExpected.voices &&
                      storeAfter.defaultVoice == storeExpected.defaultVoice,
                  "the store holds the My edit and the new default, nothing else");
}

}  // namespace kora::testhost
