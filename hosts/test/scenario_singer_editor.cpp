// The Singer Editor of both dialog exports, from kora4.dll's own resources,
// on the stand-ins' samples.
#include "res/singer_editor_res.h"
#include "scenarios.h"
#include "screenshot.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"

namespace kora::testhost {
namespace {

const std::vector<int> kEditingButtons = {
    IDC_ACTIVE_ADD, IDC_ACTIVE_COPY, IDC_ACTIVE_EDIT, IDC_ACTIVE_DELETE, IDC_COPY_TO_MY,
    IDC_MY_ADD,     IDC_MY_COPY,     IDC_MY_EDIT,     IDC_MY_DELETE,     IDC_COPY_TO_ACTIVE};

// The templates and the manifest come from kora4.dll (the host has none):
// the manifest brings the list view of common controls 6.
void CheckOpened(Checks& checks, HWND dialog, const trak4::SequenceDocument& sample) {
    checks.Equal(WindowText(dialog), L"Singer Editor", "caption");
    for (int list : {IDC_ACTIVE_LIST, IDC_MY_LIST}) {
        const std::wstring from = WindowProcedureModule(GetDlgItem(dialog, list));
        checks.Expect(from.find(L"common-controls") != std::wstring::npos,
                      "list " + std::to_string(list) + " from " + Narrow(from));
    }
    const std::wstring singer =
        L"Primary Singer/130l|BRE/35r|BRI/35r|CLE/35r|GEN/35r|Secondary Singer/130l|"
        L"BRE/35r|BRI/35r|CLE/35r|GEN/35r|VOL/35r";
    checks.Equal(ColumnsOf(dialog, IDC_ACTIVE_LIST), L"Name/180l|" + singer, "Active columns");
    checks.Equal(ColumnsOf(dialog, IDC_MY_LIST), L"/20c|Name/160l|" + singer, "My columns");
    // One of the sample's voices has no installed primary voice.
    checks.Equal(static_cast<long long>(ListRows(dialog, IDC_ACTIVE_LIST).size()),
                 static_cast<long long>(sample.voices.size()) - 1, "Active rows");
    const auto my = ListRows(dialog, IDC_MY_LIST);
    std::wstring marked;
    for (size_t row = 0; row < my.size(); ++row)
        if (my[row][0] == L"*") marked += my[row][1];
    checks.Equal(static_cast<long long>(my.size()), 7, "My rows (the sample's seven)");
    checks.Equal(marked, L"Morning Choir", "the default mark only on the default");
    checks.Expect(
        SelectedRow(dialog, IDC_ACTIVE_LIST) == 0 && SelectedRow(dialog, IDC_MY_LIST) == 0,
        "row 0 of both lists selected first");
}

}  // namespace

void SingerEditor(Checks& checks, const std::wstring& shots) {
    Workspace work(checks, L"kora4-e2e-");
    const std::string storeBefore = work.StoreBytes();
    Kora kora(checks);
    if (!work.ready || !kora.ready) return;
    const trak4::SequenceDocument sample = trak4::LoadSequence(work.sequence);
    uint32_t status = 1;

    {  // OK: the library table becomes the My list; nothing else changes.
        trak4::TrakManager sequence(sample);
        PlaySteps(checks, {InEditor([&](HWND dialog) {
                      CheckOpened(checks, dialog, sample);
                      Click(dialog, IDOK);
                  })},
                  [&] { status = kora.open(1, &sequence, 0xFFFFFFFF); });
        checks.Equal(status, 0, "KORA_OpenDefDialog after OK");
        const trak4::SequenceDocument after = sequence.Document();
        checks.Expect(trak4::SameContent({sample.voices, after.library, {}},
                                         {after.voices, after.library, {}}),
                      "OK without Active changes leaves the sequence's voices");
        checks.Expect(after.library.size() == 7 && after.library.count({0, 0}) &&
                          after.library.at({0, 0}).name == u"Morning Choir",
                      "the library table holds the seven My singers, Morning Choir at (0,0)");
        checks.Expect(work.StoreBytes() == storeBefore && !exists(work.database / L"registry.json"),
                      "OK without My changes commits nothing");
        checks.Expect(exists(work.database / L"store.backup.json"),
                      "the database was backed up while loading");
    }

    {  // Cancel after a copy in the My list: it is rolled back.
        trak4::TrakManager sequence(sample);
        PlaySteps(checks, {InEditor([&](HWND dialog) {
                      Click(dialog, IDC_MY_COPY);
                      checks.Equal(static_cast<long long>(ListRows(dialog, IDC_MY_LIST).size()), 8,
                                   "My Copy adds a row");
                      Click(dialog, IDCANCEL);
                  })},
                  [&] { status = kora.open(1, &sequence, 0xFFFFFFFF); });
        checks.Equal(status, 0, "KORA_OpenDefDialog after Cancel");
        checks.Expect(trak4::SameContent(sequence.Document(), sample),
                      "Cancel leaves the sequence document as it was");
        checks.Expect(work.StoreBytes() == storeBefore, "Cancel leaves store.json as it was");
    }

    {  // Read-only: every editing button disabled; a double click picks.
        trak4::TrakManager sequence(sample);
        int32_t bank = -1;
        int32_t program = -1;
        LPARAM wanted = -1;
        PlaySteps(checks, {InEditor([&](HWND dialog) {
                      checks.Expect(CountEnabled(dialog, kEditingButtons) == 0 &&
                                        ControlEnabled(dialog, IDC_IMPORT),
                                    "read-only: editing buttons disabled, Import enabled");
                      SaveScreenshot(dialog, shots, L"singer-editor-read-only");
                      wanted = RowData(GetDlgItem(dialog, IDC_ACTIVE_LIST), 2);
                      HWND list = GetDlgItem(dialog, IDC_ACTIVE_LIST);
                      RECT cell = {LVIR_LABEL, 0, 0, 0};
                      SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&cell));
                      SendMessageW(
                          list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                          MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
                  })},
                  [&] { status = kora.pick(1, &sequence, &bank, &program); });
        checks.Equal(status, 0, "KORA_OpenDefDialog_ReadOnly after a double click");
        checks.Expect(bank == (wanted & 0xFFFF) && program == ((wanted >> 16) & 0xFFFF),
                      "the double-clicked row's bank and program picked");
        checks.Expect(trak4::SameContent(sequence.Document(), sample),
                      "a pick changes nothing in the sequence");
    }
}

}  // namespace kora::testhost
