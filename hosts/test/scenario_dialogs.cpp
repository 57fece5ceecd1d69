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
#include <tuple>

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

struct Fill {
    int columns = 0;  // the sum of the column widths
    int client = 0;   // the list's client width
};

int DpiOf(HWND window) {
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
    return dpi;
}

// Each header whose text, in the header's font and within the margins the
// header keeps on both sides, is wider than its column: those it cuts.
std::wstring CutHeaders(HWND list) {
    HWND header = ListView_GetHeader(list);
    HDC dc = GetDC(header);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
    const int margins = 2 * 3 * GetSystemMetrics(SM_CXEDGE);
    std::wstring cut;
    for (int i = 0; i < Header_GetItemCount(header); ++i) {
        wchar_t text[256] = {};
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        RECT rect = {};
        SIZE extent = {};
        Header_GetItem(header, i, &item);
        Header_GetItemRect(header, i, &rect);
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
        if (text[0] && extent.cx + margins > rect.right - rect.left)
            cut += std::wstring(cut.empty() ? L"" : L", ") + text + L" (" +
                   std::to_wstring(extent.cx + margins) + L" in " +
                   std::to_wstring(rect.right - rect.left) + L")";
    }
    SelectObject(dc, old);
    ReleaseDC(header, dc);
    return cut;
}

Fill FillOf(HWND list) {
    Fill fill;
    RECT client = {};
    GetClientRect(list, &client);
    fill.client = client.right;
    for (int i = 0; i < Header_GetItemCount(ListView_GetHeader(list)); ++i)
        fill.columns += ListView_GetColumnWidth(list, i);
    return fill;
}

std::wstring WidthsOf(HWND list) {
    std::wstring widths;
    for (int i = 0; i < Header_GetItemCount(ListView_GetHeader(list)); ++i)
        widths += (i ? L" " : L"") + std::to_wstring(ListView_GetColumnWidth(list, i));
    return widths;
}

std::wstring Scaled(std::span<const int> widthsAt96, int dpi) {
    std::wstring widths;
    for (size_t i = 0; i < widthsAt96.size(); ++i)
        widths += (i ? L" " : L"") + std::to_wstring(MulDiv(widthsAt96[i], dpi, 96));
    return widths;
}

void CheckHeaders(Checks& checks, HWND dialog, int listId, const std::string& what) {
    const std::wstring cut = CutHeaders(GetDlgItem(dialog, listId));
    checks.Expect(cut.empty(), "every header of the " + what + " fits its column" +
                                   (cut.empty() ? "" : ": " + Narrow(cut) + " cut"));
}

// The lists are no emptier than at 96 DPI (within a pixel a column), and
// their columns stay within them. Only the columns' share is compared: the
// dialog grows by its font's average width (rounded to whole pixels), the
// columns and their texts by the DPI.
void CheckFill(Checks& checks, const fs::path& figures, int dpi, HWND editor) {
    const Fill active = FillOf(GetDlgItem(editor, IDC_ACTIVE_LIST));
    const Fill my = FillOf(GetDlgItem(editor, IDC_MY_LIST));
    if (dpi == 96) {
        std::ofstream(figures) << active.columns << ' ' << active.client << ' ' << my.columns << ' '
                               << my.client << '\n';
        return;
    }
    Fill active96, my96;
    std::ifstream(figures) >> active96.columns >> active96.client >> my96.columns >> my96.client;
    if (!checks.Expect(active96.client > 0 && my96.client > 0,
                       "the figures of the run at 96 DPI in " + Narrow(figures.wstring())))
        return;
    for (const auto& [what, here, at96, count] :
         {std::tuple{"Active", active, active96, std::size(kActiveWidths)},
          std::tuple{"My", my, my96, std::size(kMyWidths)}}) {
        const int asAt96 = MulDiv(here.client, at96.columns, at96.client);
        checks.Expect(
            here.columns >= asAt96 - static_cast<int>(count) && here.columns <= here.client,
            std::string("the ") + what + " list filled as at 96 DPI: columns " +
                std::to_string(here.columns) + " of " + std::to_string(here.client) + " pixels, " +
                std::to_string(at96.columns) + " of " + std::to_string(at96.client) + " at 96 DPI");
    }
}

struct Run {
    Checks& checks;
    std::wstring shots, suffix;
    HWND editor = nullptr, singer = nullptr, groups = nullptr;
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
             HWND active = GetDlgItem(r.editor, IDC_ACTIVE_LIST);
             HWND my = GetDlgItem(r.editor, IDC_MY_LIST);
             r.checks.Equal(WidthsOf(active), Scaled(kActiveWidths, dpi),
                            "Active columns at " + std::to_string(dpi) + " DPI");
             r.checks.Equal(WidthsOf(my), Scaled(kMyWidths, dpi),
                            "My columns at " + std::to_string(dpi) + " DPI");
             CheckHeaders(r.checks, r.editor, IDC_ACTIVE_LIST, "Active list");
             CheckHeaders(r.checks, r.editor, IDC_MY_LIST, "My list");
             CheckFill(r.checks, fs::path(r.shots) / L"dialogs-fill-96dpi.txt", dpi, r.editor);
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
             if (!(r.groups = FindDialog(nullptr, r.singer))) return false;
             PumpMessages(200);
             HWND list = GetDlgItem(r.groups, IDC_XSYNTH_LIST);
             RECT client = {};
             GetClientRect(list, &client);
             const int half = (client.right - GetSystemMetrics(SM_CXVSCROLL)) / 2;
             r.checks.Equal(WidthsOf(list), std::to_wstring(half) + L" " + std::to_wstring(half),
                            "group columns: half the client width less the scroll bar");
             CheckHeaders(r.checks, r.groups, IDC_XSYNTH_LIST, "group list");
             r.checks.Expect(SaveScreenshot(r.groups, r.shots, L"dialogs-group-list" + r.suffix),
                             "screenshot of the group list");
             PostClick(r.groups, IDOK);
             return true;
         }},
        {"the edit dialog again",
         [&r] {
             if (IsWindow(r.groups)) return false;
             PostClick(r.singer, IDCANCEL);
             return true;
         }},
        {"the Singer Editor again",
         [&r] {
             if (IsWindow(r.singer)) return false;
             PostClick(r.editor, IDCANCEL);
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
