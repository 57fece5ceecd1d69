// Export and Import of the real Singer Editor, opened by KORA_OpenDefDialog
// on the stand-ins, through the platform's own file dialogs. A thread timer
// plays the user one step at a time inside whatever modal loop runs: the
// editor, the file dialog, the message box. Every step only posts its
// input, so the loops keep turning; a step that never finds its window ends
// the run by cancelling whatever is open.
#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

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

constexpr wchar_t kEditorCaption[] = L"Singer Editor";
constexpr wchar_t kMessageCaption[] = L"kora4";
constexpr int kMessageTextId = 0xFFFF;  // the text of a message box
constexpr DWORD kStepPatience = 20000;  // ms a step may wait for its window

std::string ReadFile(const fs::path& path) { return standins::ReadWholeFile(path).bytes; }

BOOL CALLBACK TakeVisibleDialog(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && ClassName(window) == L"#32770")
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), TakeVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND DialogWithCaption(const wchar_t* caption) {
    for (HWND window : ThreadDialogs())
        if (WindowText(window) == caption) return window;
    return nullptr;
}

// The file dialog: the thread's dialog that is neither the editor nor a
// message box.
HWND FileDialog() {
    for (HWND window : ThreadDialogs()) {
        const std::wstring caption = WindowText(window);
        if (caption != kEditorCaption && caption != kMessageCaption) return window;
    }
    return nullptr;
}

struct ChildSearch {
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK TakeVisibleChild(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (IsWindowVisible(child) && ClassName(child) == search->className)
        search->found.push_back(child);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent, const wchar_t* className) {
    ChildSearch search{className, {}};
    EnumChildWindows(parent, TakeVisibleChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A step acts once its window is up and says so; until then it waits.
using Step = std::function<bool()>;

struct Script {
    std::vector<Step> steps;
    size_t next = 0;
    DWORD waitingSince = 0;
    bool stalled = false;
    bool inTick = false;
};
Script* g_script = nullptr;

void CancelEverything() {
    for (HWND window : ThreadDialogs()) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Script* script = g_script;
    if (script == nullptr || script->inTick) return;
    script->inTick = true;
    if (script->stalled) {
        CancelEverything();
    } else if (script->next < script->steps.size()) {
        if (script->steps[script->next]()) {
            ++script->next;
            script->waitingSince = GetTickCount();
        } else if (GetTickCount() - script->waitingSince > kStepPatience) {
            script->stalled = true;
        }
    }
    script->inTick = false;
}

// Runs `open` with the steps played from a thread timer; false when a step
// never found its window (everything open was cancelled then).
bool RunScript(Checks& checks, const std::function<uint32_t()>& open, std::vector<Step> steps,
               uint32_t* status, const std::string& what) {
    Script script;
    script.steps = std::move(steps);
    script.waitingSince = GetTickCount();
    g_script = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, Tick);
    *status = open();
    KillTimer(nullptr, timer);
    g_script = nullptr;
    return checks.Expect(!script.stalled && script.next == script.steps.size(),
                         what + ": " + std::to_string(script.next) + " of " +
                             std::to_string(script.steps.size()) + " steps played");
}

void PostCommand(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

Step ClickInEditor(int id) {
    return [id] {
        HWND editor = DialogWithCaption(kEditorCaption);
        if (editor == nullptr || ThreadDialogs().size() != 1) return false;
        PostCommand(editor, id);
        return true;
    };
}

// Types the full path into the file dialog's name field and presses its
// default button, after checking what the dialog offers.
Step ChooseFile(Checks& checks, const fs::path& path, const std::wstring& shots,
                const wchar_t* shot) {
    return [&checks, path, shots, shot] {
        HWND dialog = FileDialog();
        if (dialog == nullptr) return false;
        PumpMessages(300);  // filled and painted
        const auto edits = Descendants(dialog, L"Edit");
        if (edits.empty()) return false;
        bool filterShown = false;
        for (HWND combo : Descendants(dialog, L"ComboBox"))
            filterShown =
                filterShown || WindowText(combo).find(L"SingerEditor Setting File (*.dat)") == 0;
        checks.Expect(filterShown, "the file dialog offers \"SingerEditor Setting File (*.dat)\"");
        SaveScreenshot(dialog, shots, shot);
        SendMessageW(edits.front(), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(path.wstring().c_str()));
        PostCommand(dialog, IDOK);
        return true;
    };
}

// Reads the message box, checks its text and closes it with OK.
Step AnswerMessage(Checks& checks, const std::wstring& expected) {
    return [&checks, expected] {
        HWND box = DialogWithCaption(kMessageCaption);
        if (box == nullptr) return false;
        wchar_t text[512] = {};
        GetDlgItemTextW(box, kMessageTextId, text, 512);
        checks.ExpectEqual(text, expected, "message box \"" + Narrow(expected) + "\"");
        PostCommand(box, IDOK);
        return true;
    };
}

Step InEditor(std::function<void(HWND)> act) {
    return [act] {
        HWND editor = DialogWithCaption(kEditorCaption);
        if (editor == nullptr || ThreadDialogs().size() != 1) return false;
        act(editor);
        return true;
    };
}

// The sample store's seven singers as Export writes them, in list order.
const char kSampleLines[] =
    "\"Aurora Bright\"=VB4S00AURORA0001,5,40,20,-5,VB4S02ZOE___0010,8,35,25,-25,-40\r\n"
    "\"Morning Choir\"=VB4S00AURORA0001,12,18,15,-5,VB4S00ELODIE0003,20,10,0,-10,-20\r\n"
    "\"Sakura Soft\"=VB4S00SAKURA0004,15,20,10,-10,,0,0,0,0,0\r\n"
    "\"Ruta del Sur\"=VB4S01JOAQUI0005,-5,0,10,15,VB4S00BASTIE0002,0,-10,5,20,-30\r\n"
    "\"\xE3\x83\x8F\xE3\x83\xAB\xE3\x82\xAB Live\"=VB4S01HARUKA0007,15,25,10,-20,,0,0,0,0,0\r\n"
    "\"Caf\xC3\xA9 Mireille\"=VB4S02MIREIL0008,25,-5,-10,-5,,0,0,0,0,0\r\n"
    "\"Deep Harbor\"=VB4S05ORION_0011,-10,-30,0,50,VB4S01SOREN_0006,0,-20,-5,30,-10\r\n";

// Two singers of the sample catalog: Aurora with Sakura (partners), Tindra
// alone.
const char kImportFile[] =
    "\xEF\xBB\xBF; handmade\r\n[general]\r\nversion=1\r\n[MySingerList]\r\ncount=2\r\n"
    "\"Nordlicht\"=VB4S00AURORA0001,1,2,3,4,VB4S00SAKURA0004,5,6,7,8,9\r\n"
    "\"Tindra Solo\"=VB4S05TINDRA0012,10,-10,20,-20\r\n";

struct Workspace {
    fs::path root;
    fs::path database;
    fs::path sequence;
};

bool PrepareWorkspace(Checks& checks, Workspace& work) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const fs::path samples = fs::path(exe).parent_path() / L"e2e-data";
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    work.root = fs::path(temp) / (L"kora4-files-" + std::to_wstring(GetCurrentProcessId()));
    work.database = work.root / L"vbank4";
    work.sequence = work.root / L"sequence.json";
    std::error_code ec;
    fs::remove_all(work.root, ec);
    fs::create_directories(work.database, ec);
    bool copied = !ec;
    for (const wchar_t* file : {L"catalog.json", L"store.json"})
        copied = copied && fs::copy_file(samples / L"vbank4" / file, work.database / file, ec);
    copied = copied && fs::copy_file(samples / L"sequence.json", work.sequence, ec);
    return checks.Expect(copied, "sample database and sequence copied (" + ec.message() + ")");
}

void CheckExportedFile(Checks& checks, const fs::path& file) {
    const std::string bytes = ReadFile(file);
    const std::string expected = std::string("\xEF\xBB\xBF") +
                                 "; kora4_test_host My Singer Information\r\n"
                                 "; generated by kora4 V4.3.0.1\r\n"
                                 "[general]\r\nversion=1\r\n[MySingerList]\r\ncount=7\r\n" +
                                 kSampleLines;
    if (!checks.Expect(bytes == expected, "the exported file holds the expected bytes")) {
        std::printf("  written (%zu bytes):\n%s\n", bytes.size(), bytes.c_str());
    }
}

void CheckImportedRows(Checks& checks, HWND editor) {
    const auto rows = ListRows(editor, IDC_MY_LIST);
    if (!checks.ExpectEqual(static_cast<long long>(rows.size()), 9,
                            "My rows after the import (seven and two)"))
        return;
    checks.ExpectEqual(rows[7][1], L"Nordlicht", "row 7 name");
    checks.ExpectEqual(rows[7][2], L"Aurora", "row 7 primary singer");
    checks.ExpectEqual(rows[7][3], L"1", "row 7 BRE");
    checks.ExpectEqual(rows[7][7], L"\x3055\x304F\x3089", "row 7 secondary singer");
    checks.ExpectEqual(rows[7][12], L"9", "row 7 VOL");
    checks.ExpectEqual(rows[8][1], L"Tindra Solo", "row 8 name");
    checks.ExpectEqual(rows[8][2], L"Tindra", "row 8 primary singer");
    checks.ExpectEqual(rows[8][6], L"-20", "row 8 GEN");
    const int selected = static_cast<int>(SendMessageW(
        GetDlgItem(editor, IDC_MY_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    checks.ExpectEqual(selected, 8, "the last imported row is selected");
}

}  // namespace

void SingerFiles(Checks& checks, const std::wstring& shots) {
    Workspace work;
    if (!PrepareWorkspace(checks, work)) return;
    _wputenv_s(L"VBANK4_HOME", work.database.c_str());
    const std::string storeBefore = ReadFile(work.database / L"store.json");

    Library kora(L"kora4.dll");
    if (!checks.Expect(static_cast<bool>(kora), "kora4.dll loads by name")) return;
    auto init = kora.Function<PFN_KORA_Init>("KORA_Init");
    auto del = kora.Function<PFN_KORA_Delete>("KORA_Delete");
    auto open = kora.Function<PFN_KORA_OpenDefDialog>("KORA_OpenDefDialog");
    if (!checks.Expect(init && del && open, "the exports are there")) return;
    if (!checks.ExpectEqual(init(), 0, "KORA_Init with the vbank4 stand-in")) return;
    const trak4::SequenceDocument sample = trak4::LoadSequence(work.sequence);

    // Export, then Cancel: the file holds the seven singers, nothing else
    // changes.
    const fs::path exported = work.root / L"exported singers.dat";
    {
        trak4::TrakManager sequence(sample);
        uint32_t status = 1;
        RunScript(
            checks, [&] { return open(1, &sequence, 0xFFFFFFFF); },
            {ClickInEditor(IDC_EXPORT), ChooseFile(checks, exported, shots, L"singer-files-save"),
             AnswerMessage(checks, L"Finished exporting my singer information file."),
             ClickInEditor(IDCANCEL)},
            &status, "Export");
        checks.ExpectEqual(status, 0, "KORA_OpenDefDialog after Export and Cancel");
        CheckExportedFile(checks, exported);
        checks.Expect(ReadFile(work.database / L"store.json") == storeBefore,
                      "Export changes nothing in the store");
    }

    // Import, then OK: two rows more, and the store holds them afterwards.
    const fs::path imported = work.root / L"handmade.dat";
    if (!checks.Expect(standins::WriteFileAtomically(imported, kImportFile), "import file written"))
        return;
    {
        trak4::TrakManager sequence(sample);
        uint32_t status = 1;
        RunScript(
            checks, [&] { return open(1, &sequence, 0xFFFFFFFF); },
            {ClickInEditor(IDC_IMPORT), ChooseFile(checks, imported, shots, L"singer-files-open"),
             AnswerMessage(checks, L"Finished importing my singer information file."),
             InEditor([&](HWND editor) {
                 CheckImportedRows(checks, editor);
                 SaveScreenshot(editor, shots, L"singer-files-imported");
                 PostCommand(editor, IDOK);
             })},
            &status, "Import");
        checks.ExpectEqual(status, 0, "KORA_OpenDefDialog after Import and OK");
        const std::string store = ReadFile(work.database / L"store.json");
        checks.Expect(store.find("\"name\": \"Nordlicht\"") != std::string::npos,
                      "the store holds Nordlicht after OK");
        checks.Expect(store.find("\"name\": \"Tindra Solo\"") != std::string::npos,
                      "the store holds Tindra Solo after OK");
        checks.ExpectEqual(static_cast<long long>(sequence.Document().library.size()), 9,
                           "the library table holds the nine My singers");
    }

    checks.ExpectEqual(del(), 0, "KORA_Delete");
    std::error_code ec;
    fs::remove_all(work.root, ec);
}

}  // namespace kora::testhost
