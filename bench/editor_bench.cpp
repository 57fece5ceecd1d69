// The Singer Editor's operations at 1/16 scale (1,024 singers in each list)
// and at full scale (16,384), on the real path: KORA_OpenDefDialog with the
// vbank4 library loaded by name, the trak4 manager, and the dialog played by
// the in-memory toolkit's scripted user. Only the operation itself is timed
// (manual time between two marks of the script); preparing the data, the
// steps that lead up to the operation and closing the dialog are not. Each
// figure is the median of repeated runs: on a busy machine a single
// preemption would otherwise outweigh an operation of a fraction of a
// millisecond.
//
//   kora4_editor_bench [--data FOLDER] [--smoke] [benchmark flags]
//
// --data keeps the generated workspaces (kora4-scale-data's layout, one
// folder per scale) and reuses those it finds; --smoke runs every operation
// once at 128 singers per list. It fails when an operation did not work.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/dbm_binding.h"
#include "kora4/kora4.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "scale_data/scale_data.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"
#include "ui/controls.h"
#include "ui/headless/scripted_user.h"
#include "ui/win_values.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using kora::ui::Dialog;
using kora::ui::ListView;
using kora::ui::headless::ScriptedUser;

fs::path g_dataRoot;

// A generated workspace and its sequence, read once.
struct Workspace {
    scaledata::Layout layout;
    trak4::SequenceDocument sequence;
};

const Workspace& WorkspaceOf(int active, int my) {
    static std::map<std::pair<int, int>, std::unique_ptr<Workspace>> cache;
    auto& slot = cache[{active, my}];
    if (!slot) {
        std::string name = std::to_string(active);
        if (my != active) name.append(1, '-').append(std::to_string(my));  // no "-" + temporary
        const fs::path folder = g_dataRoot / name;
        auto layout = scaledata::DemoLayout(folder);
        // The sequence is written last: where it is, the rest is whole.
        if (!fs::exists(layout.sequence)) {
            fs::remove_all(folder);
            scaledata::Write(layout, {active, my});
        }
        slot = std::make_unique<Workspace>(Workspace{layout, trak4::LoadSequence(layout.sequence)});
    }
    return *slot;
}

// KORA_Init on a scratch copy of a workspace's database, for one benchmark.
class Module {
public:
    explicit Module(const Workspace& workspace) : scratch_(g_dataRoot / "scratch") {
        fs::remove_all(scratch_);
        fs::copy(workspace.layout.database, scratch_, fs::copy_options::recursive);
        setenv("VBANK4_HOME", scratch_.c_str(), 1);
        ready_ = KORA_Init() == kora4::kOk;
    }
    ~Module() {
        if (ready_) KORA_Delete();
        unsetenv("VBANK4_HOME");
        fs::remove_all(scratch_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;
    bool Ready() const { return ready_; }
    fs::path File(const char* name) const { return scratch_.parent_path() / name; }

private:
    fs::path scratch_;
    bool ready_ = false;
};

// Where a script marks the start and the end of the timed operation; an
// unset start is the call of the export, an unset end its return.
struct Marks {
    std::optional<Clock::time_point> start, end;
    std::string fault;  // set by a script's checks
};

using Script = std::function<void(ScriptedUser&, Marks&)>;
// What the sequence must show after the session; empty when it is right.
using Outcome = std::function<std::string(const trak4::TrakManager&)>;

void Mark(ScriptedUser& user, std::optional<Clock::time_point>& at) {
    user.Check([&at](Dialog&) { at = Clock::now(); });
}

void ExpectRows(ScriptedUser& user, Marks& marks, int listId, int rows) {
    user.Check([&marks, listId, rows](Dialog& d) {
        const int count = d.Control<ListView>(listId).ItemCount();
        if (count != rows && marks.fault.empty())
            marks.fault = "list " + std::to_string(listId) + " holds " + std::to_string(count) +
                          " rows, not " + std::to_string(rows);
    });
}

// Runs the Singer Editor once on a fresh copy of the sequence with the
// script played; the seconds between the marks, or nothing (the benchmark
// then skipped) when anything went wrong.
std::optional<double> TimeSession(benchmark::State& state, const Workspace& workspace,
                                  const Script& script, const Outcome& outcome = {}) {
    trak4::TrakManager sequence(workspace.sequence);
    sequence.SetFilePath(workspace.layout.sequence);
    Marks marks;
    std::vector<std::string> failures;
    uint32_t status = 0;
    Clock::time_point called, returned;
    {
        ScriptedUser user([&failures](const std::string& f) { failures.push_back(f); });
        script(user, marks);
        called = Clock::now();
        status = KORA_OpenDefDialog(1, &sequence, 0);
        returned = Clock::now();
    }
    if (status != kora4::kOk) failures.push_back("KORA_OpenDefDialog: " + std::to_string(status));
    if (!marks.fault.empty()) failures.push_back(marks.fault);
    if (outcome && failures.empty()) {
        if (std::string fault = outcome(sequence); !fault.empty()) failures.push_back(fault);
    }
    if (!failures.empty()) {
        state.SkipWithError(failures.front().c_str());
        return std::nullopt;
    }
    return std::chrono::duration<double>(marks.end.value_or(returned) -
                                         marks.start.value_or(called))
        .count();
}

// Every iteration a session with the script; the benchmark's manual time.
void TimeIterations(benchmark::State& state, const Workspace& workspace, const Script& script,
                    const Outcome& outcome = {}) {
    const Module module(workspace);
    if (!module.Ready()) {
        state.SkipWithError("KORA_Init failed");
        return;
    }
    for (auto _ : state) {
        const auto seconds = TimeSession(state, workspace, script, outcome);
        if (!seconds) return;
        state.SetIterationTime(*seconds);
    }
}

// Peak resident memory from here on (Linux: the high-water mark reset, after
// the memory freed since the data was read went back to the system).
void ResetPeakMemory() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// --- the operations ---------------------------------------------------------

// The invocation's load and the dialog's start-up, until it takes input.
void Open(benchmark::State& state, int n) {
    const Workspace& workspace = WorkspaceOf(n, n);
    ResetPeakMemory();
    TimeIterations(state, workspace, [](ScriptedUser& user, Marks& marks) {
        Mark(user, marks.end);
        user.Click(kora::ui::kIdCancel);
    });
    state.counters["peak_MB"] = PeakMemoryMb();
}

// OK after every Active singer was edited: applied to the sequence.
void OkAllActiveEdited(benchmark::State& state, int n) {
    TimeIterations(
        state, WorkspaceOf(n, n),
        [n](ScriptedUser& user, Marks& marks) {
            for (int row = 0; row < n; ++row) {
                user.SelectRow(IDC_ACTIVE_LIST, row)
                    .Click(IDC_ACTIVE_EDIT)
                    .Type(IDC_PRIMARY_BRE, u"7")
                    .Click(kora::ui::kIdOk);
            }
            Mark(user, marks.start);
            user.Click(kora::ui::kIdOk);
        },
        [](const trak4::TrakManager& sequence) {
            for (const auto& [pair, voice] : sequence.Document().voices) {
                if (voice.primary.BRE != 7) return "an edited Active singer was not applied";
            }
            return "";
        });
}

// Cancel with an edited My singer pending in the database: rolled back.
void Cancel(benchmark::State& state, int n) {
    TimeIterations(state, WorkspaceOf(n, n), [](ScriptedUser& user, Marks& marks) {
        user.SelectRow(IDC_MY_LIST, 0)
            .Click(IDC_MY_EDIT)
            .Type(IDC_PRIMARY_BRE, u"9")
            .Click(kora::ui::kIdOk);
        Mark(user, marks.start);
        user.Click(kora::ui::kIdCancel);
    });
}

// The My singers of the full workspace as a file, exported by the dialog.
fs::path SingerFile(benchmark::State& state, int n) {
    const fs::path file = g_dataRoot / std::to_string(n) / "singers.dat";
    if (fs::exists(file)) return file;
    const Workspace& workspace = WorkspaceOf(n, n);
    const Module module(workspace);
    if (module.Ready()) {
        TimeSession(state, workspace, [&file](ScriptedUser& user, Marks&) {
            user.Click(IDC_EXPORT)
                .ChooseFile(file.u16string())
                .AnswerMessageBox(kora::ui::kIdOk)
                .Click(kora::ui::kIdCancel);
        });
    }
    return file;
}

// Import of an n-line file into a My list of one singer (the file's first,
// so that line is passed over as a duplicate): n - 1 singers created.
void Import(benchmark::State& state, int n) {
    const fs::path file = SingerFile(state, n);
    if (!fs::exists(file)) return state.SkipWithError("the singer file was not exported");
    TimeIterations(state, WorkspaceOf(n, 1), [n, &file](ScriptedUser& user, Marks& marks) {
        Mark(user, marks.start);
        user.Click(IDC_IMPORT).ChooseFile(file.u16string()).AnswerMessageBox(kora::ui::kIdOk);
        Mark(user, marks.end);
        ExpectRows(user, marks, IDC_MY_LIST, n);
        user.Click(kora::ui::kIdCancel);
    });
}

void Export(benchmark::State& state, int n) {
    const fs::path file = g_dataRoot / "export.dat";
    TimeIterations(state, WorkspaceOf(n, n), [&file](ScriptedUser& user, Marks& marks) {
        fs::remove(file);
        Mark(user, marks.start);
        user.Click(IDC_EXPORT).ChooseFile(file.u16string()).AnswerMessageBox(kora::ui::kIdOk);
        Mark(user, marks.end);
        user.Click(kora::ui::kIdCancel);
    });
    fs::remove(file);
}

// One copy of the first row in a list of n; at full scale the first row is
// deleted beforehand (untimed), so that its bank has a free program.
void Copy(benchmark::State& state, int n, int listId, int deleteId, int copyId) {
    TimeIterations(state, WorkspaceOf(n, n), [=](ScriptedUser& user, Marks& marks) {
        if (n == scaledata::kMaxSingers) {
            user.SelectRow(listId, 0).Click(deleteId).AnswerMessageBox(kora::ui::kIdYes);
        }
        user.SelectRow(listId, 0);
        Mark(user, marks.start);
        user.Click(copyId);
        Mark(user, marks.end);
        ExpectRows(user, marks, listId, n == scaledata::kMaxSingers ? n : n + 1);
        user.Click(kora::ui::kIdCancel);
    });
}

void CopyActive(benchmark::State& state, int n) {
    Copy(state, n, IDC_ACTIVE_LIST, IDC_ACTIVE_DELETE, IDC_ACTIVE_COPY);
}

void CopyMy(benchmark::State& state, int n) {
    Copy(state, n, IDC_MY_LIST, IDC_MY_DELETE, IDC_MY_COPY);
}

// The console's report, remembering whether a benchmark failed, so that a
// run in which an operation no longer works ends with a failure.
class Reporter final : public benchmark::ConsoleReporter {
public:
    Reporter() : ConsoleReporter(OO_None) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) failed = failed || run.error_occurred;
        ConsoleReporter::ReportRuns(runs);
    }
    bool failed = false;
};

}  // namespace

int main(int argc, char** argv) {
    bool smoke = false;
    std::optional<fs::path> data;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
        } else if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            data = fs::absolute(argv[++i]);
        } else {
            rest.push_back(argv[i]);
        }
    }
    g_dataRoot =
        data.value_or(fs::temp_directory_path() / ("kora4-bench-" + std::to_string(getpid())));
    fs::create_directories(g_dataRoot);
    kora::api::SetDbmLibraryPathForTesting(VBANK4_LIBRARY);

    const std::pair<const char*, void (*)(benchmark::State&, int)> operations[] = {
        {"open", Open},     {"ok_all_active_edited", OkAllActiveEdited},
        {"cancel", Cancel}, {"import", Import},
        {"export", Export}, {"copy_active", CopyActive},
        {"copy_my", CopyMy}};
    const std::vector<int> scales = smoke ? std::vector<int>{128} : std::vector<int>{1024, 16384};
    for (const auto& [name, run] : operations) {
        for (const int n : scales) {
            benchmark::RegisterBenchmark((std::string(name) + "/" + std::to_string(n)).c_str(), run,
                                         n)
                ->Iterations(1)
                ->Repetitions(smoke                        ? 1
                              : n < scaledata::kMaxSingers ? 30
                                                           : 5)
                ->ReportAggregatesOnly(!smoke)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 2;
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (!data) fs::remove_all(g_dataRoot);
    return reporter.failed ? 1 : 0;
}
