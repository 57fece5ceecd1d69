// The three dialogs as a user sees them at the display's DPI, in English or
// in the language of the translation file named by KORA4_E2E_TRANSLATION:
// the Singer Editor, the edit dialog of a My singer with a secondary voice,
// and the group list opened from it. Every column header fits its column;
// the Singer Editor's columns are its widths at 96 DPI scaled to the
// display's, and fill its lists at least as at 96 DPI (the run at 96 DPI
// writes its figures beside the screenshots, the others compare with them).
// Screenshots: dialogs-<dialog>[-<language>][-<dpi>dpi].png.
#include <cstdlib>
#include <fstream>
#include <optional>
#include <span>

#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/xsynth_group_res.h"
#include "scenarios.h"
#include "screenshot.h"
#include "text_file_module.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"

namespace kora::testhost {
namespace {

namespace fs = std::filesystem;

constexpr int kActiveWidths[] = {180, 130, 35, 35, 35, 35, 130, 35, 35, 35, 35, 35};
constexpr int kMyWidths[] = {20, 160, 130, 35, 35, 35, 35, 130, 35, 35, 35, 35, 35};

int DpiOf(HWND window) {
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
    return dpi;
}

struct ListFigures {
    std::wstring widths;  // of the columns, by blanks
    int columns = 0;      // their sum
    int client = 0;       // the list's client width
    std::wstring cut;     // the headers whose text is wider than their column
};

// A header is cut when its text, in the header's font, and the margins the
// header keeps on both sides are wider than its column.
ListFigures Measure(HWND dialog, int listId) {
    HWND list = GetDlgItem(dialog, listId);
    HWND header = ListView_GetHeader(list);
    HDC dc = GetDC(header);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
    const int margins = 2 * 3 * GetSystemMetrics(SM_CXEDGE);
    ListFigures f;
    RECT client = {};
    GetClientRect(list, &client);
    f.client = client.right;
    for (int i = 0; i < Header_GetItemCount(header); ++i) {
        wchar_t text[256] = {};
        HDITEMW item = {};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = text;
        item.cchTextMax = 256;
        Header_GetItem(header, i, &item);
        SIZE extent = {};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
        f.widths += (i ? L" " : L"") + std::to_wstring(item.cxy);
        f.columns += item.cxy;
        if (text[0] && extent.cx + margins > item.cxy)
            f.cut += std::wstring(f.cut.empty() ? L"" : L", ") + text + L" (" +
                     std::to_wstring(extent.cx + margins) + L" in " + std::to_wstring(item.cxy) +
                     L")";
    }
    SelectObject(dc, old);
    ReleaseDC(header, dc);
    return f;
}

void CheckHeaders(Checks& checks, const ListFigures& f, const std::string& what) {
    checks.Expect(f.cut.empty(), "every header of the " + what + " fits its column" +
                                     (f.cut.empty() ? "" : ": " + Narrow(f.cut) + " cut"));
}

// The Singer Editor's lists: the widths at 96 DPI scaled to this DPI, the
// headers uncut, and the lists no emptier than at 96 DPI (within a pixel a
// column) with their columns within them. Only the columns' share is
// compared: the dialog grows by its font's average width in whole pixels,
// the columns and their texts by the DPI. The run at 96 DPI writes its
// figures to `at96` for the others.
void CheckEditorList(Checks& checks, HWND editor, int listId, std::span<const int> widthsAt96,
                     int dpi, std::fstream& at96, const std::string& what) {
    const ListFigures f = Measure(editor, listId);
    std::wstring scaled;
    for (size_t i = 0; i < widthsAt96.size(); ++i)
        scaled += (i ? L" " : L"") + std::to_wstring(MulDiv(widthsAt96[i], dpi, 96));
    checks.Equal(f.widths, scaled, what + " columns at " + std::to_string(dpi) + " DPI");
    CheckHeaders(checks, f, what + " list");
    if (dpi == 96) {
        at96 << f.columns << ' ' << f.client << '\n';
        return;
    }
    int columns96 = 0, client96 = 0;
    at96 >> columns96 >> client96;
    const int asAt96 = client96 > 0 ? MulDiv(f.client, columns96, client96) : f.client + 1;
    checks.Expect(
        f.columns >= asAt96 - static_cast<int>(widthsAt96.size()) && f.columns <= f.client,
        what + " list filled as at 96 DPI: columns " + std::to_string(f.columns) + " of " +
            std::to_string(f.client) + " pixels, " + std::to_string(columns96) + " of " +
            std::to_string(client96) + " at 96 DPI");
}

struct Run {
    Checks& checks;
    std::wstring shots, suffix;
    HWND editor = nullptr, singer = nullptr;
};

std::vector<Step> Script(Run& r) {
    return {
        {"the Singer Editor",
         [&r] {
             const std::vector<HWND> open = ThreadDialogs();
             if (open.size() != 1) return false;
             r.editor = open[0];
             PumpMessages(200);
             const int dpi = DpiOf(r.editor);
             std::fstream at96(fs::path(r.shots) / L"dialogs-fill-96dpi.txt",
                               dpi == 96 ? std::ios::out : std::ios::in);
             CheckEditorList(r.checks, r.editor, IDC_ACTIVE_LIST, kActiveWidths, dpi, at96,
                             "Active");
             CheckEditorList(r.checks, r.editor, IDC_MY_LIST, kMyWidths, dpi, at96, "My");
             r.checks.Expect(SaveScreenshot(r.editor, r.shots, L"dialogs-singer-editor" + r.suffix),
                             "screenshot of the Singer Editor");
             // My row 0, selected at the start, has a secondary voice.
             PostClick(r.editor, IDC_MY_EDIT);
             return true;
         }},
        {"the edit dialog",
         [&r] {
             if (!(r.singer = FindDialog(nullptr, r.editor))) return false;
             PumpMessages(200);
             r.checks.Expect(IsWindowEnabled(GetDlgItem(r.singer, IDC_SECONDARY_BRE)),
                             "the edit dialog shows a secondary voice's values");
             r.checks.Expect(SaveScreenshot(r.singer, r.shots, L"dialogs-singer-edit" + r.suffix),
                             "screenshot of the edit dialog");
             PostClick(r.singer, IDC_XSYNTH_GROUP_LIST);
             return true;
         }},
        {"the group list",
         [&r] {
             HWND groups = FindDialog(nullptr, r.singer);
             if (!groups) return false;
             PumpMessages(200);
             const ListFigures f = Measure(groups, IDC_XSYNTH_LIST);
             const auto half = std::to_wstring((f.client - GetSystemMetrics(SM_CXVSCROLL)) / 2);
             r.checks.Equal(f.widths, half + L" " + half,
                            "group columns: half the client width less the scroll bar");
             CheckHeaders(r.checks, f, "group list");
             r.checks.Expect(SaveScreenshot(groups, r.shots, L"dialogs-group-list" + r.suffix),
                             "screenshot of the group list");
             // Cancel closes all three, the innermost first.
             for (HWND open : ThreadDialogs()) PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
             return true;
         }},
    };
}

}  // namespace

void Dialogs(Checks& checks, const std::wstring& shots) {
    Workspace work(checks, L"kora4-e2e-dialogs-");
    Kora kora(checks);
    if (!work.ready || !kora.ready) return;
    Run run{checks, shots, L""};
    std::optional<hosts::TextFileModule> texts;
    if (const wchar_t* file = _wgetenv(L"KORA4_E2E_TRANSLATION"); file && *file) {
        std::string error;
        texts = hosts::TextFileModule::Load(file, &error);
        const auto setTexts =
            kora.library.Function<PFN_KORA_SetLumiM17NModule>("KORA_SetLumiM17NModule");
        if (!checks.Expect(texts && setTexts && setTexts(&*texts) == 0,
                           "the translation " + Narrow(file) + " handed over " + error))
            return;
        run.suffix = L"-" + fs::path(file).stem().wstring();
    }
    if (const int dpi = DpiOf(nullptr); dpi != 96)
        run.suffix += L"-" + std::to_wstring(dpi) + L"dpi";
    const trak4::SequenceDocument sample = trak4::LoadSequence(work.sequence);
    trak4::TrakManager sequence(sample);
    uint32_t status = 1;
    PlaySteps(checks, Script(run), [&] { status = kora.open(1, &sequence, 0xFFFFFFFF); });
    checks.Equal(status, 0, "KORA_OpenDefDialog after Cancel");
}

}  // namespace kora::testhost
