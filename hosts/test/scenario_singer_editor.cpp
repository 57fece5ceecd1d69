// The Singer Editor through KORA_OpenDefDialog and KORA_OpenDefDialog_ReadOnly
// on the stand-ins: a copy of the vbank4 sample as the voice database, the
// trak4 sample sequence. The dialog is driven from a thread timer (it runs
// inside the export's modal loop); the store and the sequence are checked
// after OK, Cancel and a read-only pick.
#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>

#include "kora4/kora4.h"
#include "library.h"
#include "res/singer_editor_res.h"
#include "scenarios.h"
#include "screenshot.h"
#include "standins/file_io.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"
#include "window_driver.h"

namespace kora::testhost {
namespace {

namespace fs = std::filesystem;

constexpr int kEditingButtons[] = {
    IDC_ACTIVE_ADD, IDC_ACTIVE_COPY, IDC_ACTIVE_EDIT, IDC_ACTIVE_DELETE, IDC_COPY_TO_MY,
    IDC_MY_ADD,     IDC_MY_COPY,     IDC_MY_EDIT,     IDC_MY_DELETE,     IDC_COPY_TO_ACTIVE};
constexpr int kActiveSelectionButtons[] = {IDC_ACTIVE_COPY, IDC_ACTIVE_EDIT, IDC_ACTIVE_DELETE,
                                           IDC_COPY_TO_MY};
constexpr int kAlwaysEnabled[] = {IDC_IMPORT, IDC_EXPORT, IDOK, IDCANCEL};

std::string Id(int id) { return "control " + std::to_string(id); }

std::string ReadFile(const fs::path& path) { return standins::ReadWholeFile(path).bytes; }

BOOL CALLBACK TakeSingerEditor(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && ClassName(window) == L"#32770" &&
        WindowText(window) == L"Singer Editor") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The visible dialog of this thread with the Singer Editor's caption.
HWND FindSingerEditor() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeSingerEditor, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs `open` (an export that shows the dialog modally) and, once the dialog
// is up, `drive` on it from a thread timer. False when it never showed.
std::function<void(HWND)>* g_drive = nullptr;
bool g_driven = false;

void CALLBACK DriveTick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindSingerEditor();
    if (dialog == nullptr || g_drive == nullptr) return;
    KillTimer(nullptr, timer);
    g_driven = true;
    PumpMessages(200);  // filled and painted
    (*g_drive)(dialog);
}

uint32_t RunDriven(const std::function<uint32_t()>& open, std::function<void(HWND)> drive,
                   bool* shown) {
    g_drive = &drive;
    g_driven = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, DriveTick);
    const uint32_t status = open();
    KillTimer(nullptr, timer);
    g_drive = nullptr;
    *shown = g_driven;
    return status;
}

LPARAM RowData(HWND dialog, int listId, int row) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(GetDlgItem(dialog, listId), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

int SelectedRow(HWND dialog, int listId) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, listId), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ClearSelection(HWND dialog, int listId) {
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    SendMessageW(GetDlgItem(dialog, listId), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
}

void DoubleClickRow(HWND dialog, int listId, int row) {
    HWND list = GetDlgItem(dialog, listId);
    RECT cell = {};
    cell.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
}

void CheckColumns(Checks& checks, HWND dialog) {
    struct Want {
        const wchar_t* text;
        int width;
        int format;
    };
    const Want singer[] = {{L"Primary Singer", 130, LVCFMT_LEFT},
                           {L"BRE", 35, LVCFMT_RIGHT},
                           {L"BRI", 35, LVCFMT_RIGHT},
                           {L"CLE", 35, LVCFMT_RIGHT},
                           {L"GEN", 35, LVCFMT_RIGHT},
                           {L"Secondary Singer", 130, LVCFMT_LEFT},
                           {L"BRE", 35, LVCFMT_RIGHT},
                           {L"BRI", 35, LVCFMT_RIGHT},
                           {L"CLE", 35, LVCFMT_RIGHT},
                           {L"GEN", 35, LVCFMT_RIGHT},
                           {L"VOL", 35, LVCFMT_RIGHT}};
    auto check = [&](int listId, const std::vector<Want>& want) {
        const auto got = ListColumns(dialog, listId);
        if (!checks.ExpectEqual(static_cast<long long>(got.size()),
                                static_cast<long long>(want.size()), Id(listId) + " columns"))
            return;
        for (size_t i = 0; i < want.size(); ++i) {
            const std::string what = Id(listId) + " column " + std::to_string(i);
            checks.ExpectEqual(got[i].text, want[i].text, what + " header");
            checks.ExpectEqual(got[i].width, want[i].width, what + " width");
            checks.ExpectEqual(got[i].format & LVCFMT_JUSTIFYMASK, want[i].format,
                               what + " alignment");
        }
    };
    std::vector<Want> active{{L"Name", 180, LVCFMT_LEFT}};
    active.insert(active.end(), std::begin(singer), std::end(singer));
    check(IDC_ACTIVE_LIST, active);
    std::vector<Want> my{{L"", 20, LVCFMT_CENTER}, {L"Name", 160, LVCFMT_LEFT}};
    my.insert(my.end(), std::begin(singer), std::end(singer));
    check(IDC_MY_LIST, my);
}

void CheckRows(Checks& checks, HWND dialog, const trak4::SequenceDocument& sample) {
    const auto active = ListRows(dialog, IDC_ACTIVE_LIST);
    // One of the sample's voices has no installed primary voice.
    checks.ExpectEqual(static_cast<long long>(active.size()),
                       static_cast<long long>(sample.voices.size()) - 1, "Active rows");
    for (size_t row = 0; row < active.size(); ++row) {
        const LPARAM data = RowData(dialog, IDC_ACTIVE_LIST, static_cast<int>(row));
        const auto voice = sample.voices.find(
            {static_cast<int32_t>(data & 0xFFFF), static_cast<int32_t>((data >> 16) & 0xFFFF)});
        if (!checks.Expect(voice != sample.voices.end(),
                           "Active row " + std::to_string(row) + " holds a pair of the sequence"))
            continue;
        checks.ExpectEqual(active[row][0],
                           reinterpret_cast<const wchar_t*>(voice->second.name.c_str()),
                           "Active row " + std::to_string(row) + " name");
        checks.ExpectEqual(active[row][2], std::to_wstring(voice->second.primary.BRE),
                           "Active row " + std::to_string(row) + " BRE");
    }
    const auto my = ListRows(dialog, IDC_MY_LIST);
    checks.ExpectEqual(static_cast<long long>(my.size()), 7, "My rows (the sample's seven)");
    int marks = 0;
    for (size_t row = 0; row < my.size(); ++row) {
        if (my[row][0] != L"*") continue;
        ++marks;
        checks.ExpectEqual(RowData(dialog, IDC_MY_LIST, static_cast<int>(row)), 0,
                           "the default mark is on the default (0,0)");
        checks.ExpectEqual(my[row][1], L"Morning Choir", "the default's name");
    }
    checks.ExpectEqual(marks, 1, "one row carries the default mark");
    checks.ExpectEqual(SelectedRow(dialog, IDC_ACTIVE_LIST), 0, "Active row 0 selected first");
    checks.ExpectEqual(SelectedRow(dialog, IDC_MY_LIST), 0, "My row 0 selected first");
    checks.ExpectEqual(ControlText(dialog, IDC_SEQUENCE_NAME), L"sequence.json", "title line");
}

void CheckButtons(Checks& checks, HWND dialog) {
    for (int id : kEditingButtons)
        checks.Expect(ControlEnabled(dialog, id), Id(id) + " enabled with rows selected");
    for (int id : kAlwaysEnabled) checks.Expect(ControlEnabled(dialog, id), Id(id) + " enabled");
    ClearSelection(dialog, IDC_ACTIVE_LIST);
    PumpMessages(50);
    checks.Expect(ControlEnabled(dialog, IDC_ACTIVE_ADD), "Active Add enabled without a selection");
    for (int id : kActiveSelectionButtons)
        checks.Expect(!ControlEnabled(dialog, id),
                      Id(id) + " disabled without an Active selection");
}

struct Workspace {
    fs::path database;
    fs::path sequence;
};

// Fresh copies of the samples beside the host (e2e-data) in a folder of
// this run.
bool PrepareWorkspace(Checks& checks, Workspace& work) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const fs::path samples = fs::path(exe).parent_path() / L"e2e-data";
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path root = fs::path(temp) / (L"kora4-e2e-" + std::to_wstring(GetCurrentProcessId()));
    std::error_code ec;
    fs::remove_all(root, ec);
    work = {root / L"vbank4", root / L"sequence.json"};
    fs::create_directories(work.database, ec);
    bool copied = !ec;
    for (const wchar_t* file : {L"catalog.json", L"store.json"})
        copied = copied && fs::copy_file(samples / L"vbank4" / file, work.database / file, ec);
    copied = copied && fs::copy_file(samples / L"sequence.json", work.sequence, ec);
    return checks.Expect(copied, "sample database and sequence copied (" + ec.message() + ")");
}

}  // namespace

void SingerEditor(Checks& checks, const std::wstring& shots) {
    Workspace work;
    if (!PrepareWorkspace(checks, work)) return;
    _wputenv_s(L"VBANK4_HOME", work.database.c_str());
    const std::string storeBefore = ReadFile(work.database / L"store.json");

    Library kora(L"kora4.dll");
    if (!checks.Expect(static_cast<bool>(kora), "kora4.dll loads by name")) return;
    auto init = kora.Function<PFN_KORA_Init>("KORA_Init");
    auto del = kora.Function<PFN_KORA_Delete>("KORA_Delete");
    auto open = kora.Function<PFN_KORA_OpenDefDialog>("KORA_OpenDefDialog");
    auto pick = kora.Function<PFN_KORA_OpenDefDialog_ReadOnly>("KORA_OpenDefDialog_ReadOnly");
    if (!checks.Expect(init && del && open && pick, "the exports are there")) return;
    if (!checks.ExpectEqual(init(), 0, "KORA_Init with the vbank4 stand-in")) return;

    const trak4::SequenceDocument sample = trak4::LoadSequence(work.sequence);
    bool shown = false;

    // OK: the library table becomes the My list; nothing else changes.
    {
        trak4::TrakManager sequence(sample);
        const uint32_t status =
            RunDriven([&] { return open(1, &sequence, 0xFFFFFFFF); },
                      [&](HWND dialog) {
                          CheckColumns(checks, dialog);
                          CheckRows(checks, dialog, sample);
                          checks.Expect(SaveScreenshot(dialog, shots, L"singer-editor"),
                                        "screenshot singer-editor.png saved");
                          CheckButtons(checks, dialog);
                          Click(dialog, IDOK);
                      },
                      &shown);
        checks.Expect(shown, "KORA_OpenDefDialog shows the Singer Editor");
        checks.ExpectEqual(status, 0, "KORA_OpenDefDialog after OK");
        const trak4::SequenceDocument after = sequence.Document();
        bool voicesKept = after.voices.size() == sample.voices.size();
        for (const auto& [pair, voice] : sample.voices)
            voicesKept = voicesKept && after.voices.count(pair) &&
                         trak4::SameVoice(after.voices.at(pair), voice);
        checks.Expect(voicesKept, "OK without Active changes leaves the sequence's voices");
        checks.ExpectEqual(static_cast<long long>(after.library.size()), 7,
                           "the library table holds the seven My singers");
        checks.Expect(
            after.library.count({0, 0}) && after.library.at({0, 0}).name == u"Morning Choir",
            "library record (0,0) is Morning Choir");
        checks.Expect(ReadFile(work.database / L"store.json") == storeBefore,
                      "OK without My changes commits nothing: store.json as it was");
        checks.Expect(!fs::exists(work.database / L"registry.json"),
                      "no registry update without a commit");
        checks.Expect(fs::exists(work.database / L"store.backup.json"),
                      "the database was backed up while loading");
    }

    // Cancel: the sequence and the store stay as they were.
    {
        trak4::TrakManager sequence(sample);
        const uint32_t status = RunDriven([&] { return open(1, &sequence, 0xFFFFFFFF); },
                                          [&](HWND dialog) { Click(dialog, IDCANCEL); }, &shown);
        checks.ExpectEqual(status, 0, "KORA_OpenDefDialog after Cancel");
        checks.Expect(trak4::SameContent(sequence.Document(), sample),
                      "Cancel leaves the sequence document as it was");
        checks.Expect(ReadFile(work.database / L"store.json") == storeBefore,
                      "Cancel leaves store.json as it was");
    }

    // Read-only: every editing button disabled; a double click picks.
    {
        trak4::TrakManager sequence(sample);
        int32_t bank = -1;
        int32_t program = -1;
        LPARAM wanted = -1;
        const uint32_t status = RunDriven(
            [&] { return pick(1, &sequence, &bank, &program); },
            [&](HWND dialog) {
                for (int id : kEditingButtons)
                    checks.Expect(!ControlEnabled(dialog, id), Id(id) + " disabled read-only");
                checks.Expect(ControlEnabled(dialog, IDC_IMPORT), "Import enabled read-only");
                checks.Expect(SaveScreenshot(dialog, shots, L"singer-editor-read-only"),
                              "screenshot singer-editor-read-only.png saved");
                wanted = RowData(dialog, IDC_ACTIVE_LIST, 2);
                DoubleClickRow(dialog, IDC_ACTIVE_LIST, 2);
            },
            &shown);
        checks.ExpectEqual(status, 0, "KORA_OpenDefDialog_ReadOnly after a double click");
        checks.ExpectEqual(bank, wanted & 0xFFFF, "picked bank");
        checks.ExpectEqual(program, (wanted >> 16) & 0xFFFF, "picked program");
        checks.Expect(trak4::SameContent(sequence.Document(), sample),
                      "a pick changes nothing in the sequence");
    }

    checks.ExpectEqual(del(), 0, "KORA_Delete");
    std::error_code ec;
    fs::remove_all(work.database.parent_path(), ec);
}

}  // namespace kora::testhost
