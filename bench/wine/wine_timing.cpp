// kora4_wine_timing.exe [--shots <folder>]: how long the real module keeps
// the user waiting, on generated data with 1,024 and with 16,384 singers in
// each list, in one run: open-to-idle (from the export's call until the
// Singer Editor is filled, painted and idle, when the first step of the user
// fires; to a timer beat, 50 ms) and OK-to-return (after one Active singer
// was edited, from the click on OK until the export returns). A run at 128
// goes first, to take Wine's first-use costs (fonts, common controls) out of
// the figures. Slow by nature, so no part of the test run (scripts/run-bench
// --wine runs it); a watchdog ends the process when a scale does not finish
// in time. Driven through the test host's harness.
#include <chrono>
#include <cstdio>
#include <cwchar>

#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "scale_data/scale_data.h"
#include "scenarios.h"
#include "screenshot.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"

namespace kora::testhost {
namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD kScaleLimitMs = 2400000;

long long Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

// Ends the process, saying so, when it is not dismissed within the limit:
// a module that never shows its dialog or never returns must not hold the run.
class Watchdog {
public:
    Watchdog(int singers, DWORD limitMs)
        : singers_(singers), limitMs_(limitMs), done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~Watchdog() {
        SetEvent(done_);
        if (thread_) WaitForSingleObject(thread_, INFINITE), CloseHandle(thread_);
        CloseHandle(done_);
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* self) {
        auto* w = static_cast<Watchdog*>(self);
        if (WaitForSingleObject(w->done_, w->limitMs_) == WAIT_OBJECT_0) return 0;
        std::printf("FAIL timing: %d singers per list not done within %lu s\n", w->singers_,
                    w->limitMs_ / 1000);
        std::fflush(stdout);
        ExitProcess(3);
    }

    int singers_;
    DWORD limitMs_;
    HANDLE done_;
    HANDLE thread_ = nullptr;
};

void TimeScale(Checks& checks, const std::filesystem::path& root, int singers,
               const std::wstring& shots) {
    const std::string at = " at " + std::to_string(singers);
    const auto layout = scaledata::DemoLayout(root / std::to_wstring(singers));
    try {
        scaledata::Write(layout, {singers, singers});
    } catch (const std::exception& e) {
        checks.Expect(false, "scale data" + at + ": " + e.what());
        return;
    }
    _wputenv_s(L"VBANK4_HOME", layout.database.c_str());
    trak4::TrakManager sequence(trak4::LoadSequence(layout.sequence));
    Kora kora(checks);
    if (!kora.ready) return;

    const Watchdog watchdog(singers, kScaleLimitMs);
    Clock::time_point called, idle, ok, returned;
    HWND editor = nullptr, singer = nullptr;
    LPARAM edited = 0;
    uint32_t status = 1;
    const std::vector<Step> steps = {
        {"the Singer Editor" + at,
         [&] {
             if (!(editor = FindDialog(L"Singer Editor")) || ThreadDialogs().size() != 1)
                 return false;
             idle = Clock::now();
             checks.Expect(
                 SendDlgItemMessageW(editor, IDC_ACTIVE_LIST, LVM_GETITEMCOUNT, 0, 0) == singers &&
                     SendDlgItemMessageW(editor, IDC_MY_LIST, LVM_GETITEMCOUNT, 0, 0) == singers,
                 "both lists hold every singer" + at);
             PumpMessages(200);
             SaveScreenshot(editor, shots, L"timing-" + std::to_wstring(singers));
             HWND active = GetDlgItem(editor, IDC_ACTIVE_LIST);
             ListView_SetItemState(active, 0, LVIS_SELECTED | LVIS_FOCUSED,
                                   LVIS_SELECTED | LVIS_FOCUSED);
             edited = RowData(active, 0);
             PostClick(editor, IDC_ACTIVE_EDIT);
             return true;
         }},
        {"the edit dialog" + at,
         [&] {
             if (!(singer = FindDialog(nullptr, editor))) return false;
             Type(singer, IDC_PRIMARY_BRE, L"7");
             PostClick(singer, IDOK);
             return true;
         }},
        {"the Singer Editor after the edit" + at,
         [&] {
             if (IsWindow(singer) || ThreadDialogs().size() != 1) return false;
             ok = Clock::now();
             Click(editor, IDOK);
             return true;
         }},
    };
    PlaySteps(checks, steps, [&] {
        called = Clock::now();
        status = kora.open(1, &sequence, 0);
        returned = Clock::now();
    });
    checks.Equal(status, 0, "KORA_OpenDefDialog after OK" + at);
    const auto voices = sequence.Document().voices;
    const auto voice = voices.find(
        {static_cast<int32_t>(edited & 0xFFFF), static_cast<int32_t>((edited >> 16) & 0xFFFF)});
    checks.Expect(voice != voices.end() && voice->second.primary.BRE == 7,
                  "the edited Active singer applied to the sequence" + at);
    if (checks.failures == 0) {
        std::printf("timing: %d singers per list: open-to-idle %lld ms, OK-to-return %lld ms\n",
                    singers, Milliseconds(called, idle), Milliseconds(ok, returned));
        std::fflush(stdout);
    }
}

}  // namespace

}  // namespace kora::testhost

int wmain(int argc, wchar_t** argv) {
    using namespace kora::testhost;
    const bool shotsGiven = argc == 3 && std::wcscmp(argv[1], L"--shots") == 0;
    if (argc != 1 && !shotsGiven) {
        std::printf("usage: kora4_wine_timing [--shots <folder>]\n");
        return 2;
    }
    Checks checks;
    const ScratchFolder work(L"kora4-timing-");
    for (const int singers : {128, 1024, scaledata::kMaxSingers})
        TimeScale(checks, work.root, singers, shotsGiven ? argv[2] : L".");
    std::printf("kora4_wine_timing: %d checks, %d failed\n", checks.count, checks.failures);
    return checks.failures == 0 && checks.count > 0 ? 0 : 1;
}
