// The vbank4 stand-in through its entry points at 1/16 and at full scale
// (1,024 and 16,384 virtual voices): loading, opening the editor as the
// module does (every pair read, the backup, the editor), OK with 64 and with
// every virtual voice changed, Cancel after 64 changes.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "vbank4/catalog.h"
#include "vbank4/exports.h"
#include "vbank4/store.h"

namespace {

namespace fs = std::filesystem;

std::u16string VoiceId(int bank) {
    std::u16string id = u"VB4SBENCHVOICE00";
    id[14] = static_cast<char16_t>(u'0' + bank / 10 % 10);
    id[15] = static_cast<char16_t>(u'0' + bank % 10);
    id[13] = static_cast<char16_t>(u'0' + bank / 100);
    return id;
}

void WriteText(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A database folder with one installed voice per bank and `count` virtual
// voices filling the pairs in order, initialized for the benchmark.
class Database {
public:
    explicit Database(int count) {
        std::string pattern = (fs::temp_directory_path() / "vbank4-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        vbank4::Catalog catalog;
        for (int bank = 0; bank < 128; ++bank)
            catalog.voices.push_back({VoiceId(bank), u"Voice", bank, {1, 2, 3, 4, 0}, u""});
        vbank4::StoreState store;
        store.revision = 1;
        for (int k = 0; k < count; ++k) {
            const vbank4::Pair pair{k / 128, k % 128};
            store.voices[pair] = {
                u"Singer " + std::u16string(1, static_cast<char16_t>(u'A' + k % 26)),
                VoiceId(pair.first),
                u"Voice",
                u"",
                {k % 100, 1, 2, 3, 0},
                {}};
        }
        store.defaultVoice = vbank4::Pair{0, 0};
        WriteText(folder_ / "catalog.json", vbank4::SerializeCatalog(catalog));
        WriteText(folder_ / "store.json", vbank4::SerializeStore(store));
        ::setenv("VBANK4_HOME", folder_.c_str(), 1);
    }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database() {
        DBM_Delete();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

private:
    fs::path folder_;
};

void ReadEveryPair(benchmark::State& state) {
    DBM_VVOICE_INFO info{};
    int found = 0;
    for (int32_t k = 0; k < 128 * 128; ++k)
        found += DBM_GetVirtualVoiceInfo(k / 128, k % 128, &info) == 0;
    if (found < 1024) state.SkipWithError("voices missing");
}

// Changes `count` virtual voices; `round` makes every round's values new.
void ChangeVoices(benchmark::State& state, uint32_t editor, int count, int round) {
    for (int k = 0; k < count; ++k) {
        DBM_VVOICE_INFO info{};
        if (DBM_GetVirtualVoiceInfo(k / 128, k % 128, &info) != 0)
            return state.SkipWithError("read");
        info.primaryParams[1] = (round + k) % 200 - 100;
        if (DBM_SetVirtualVoiceInfo(editor, &info) != 0) return state.SkipWithError("set");
    }
}

void PeakMemory(benchmark::State& state) {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_Load(benchmark::State& state) {
    Database database(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (DBM_Init() != 0) state.SkipWithError("DBM_Init");
        DBM_Delete();
    }
    PeakMemory(state);
}

void BM_Backup(benchmark::State& state) {
    Database database(static_cast<int>(state.range(0)));
    if (DBM_Init() != 0) state.SkipWithError("DBM_Init");
    for (auto _ : state) {
        if (DBM_BackupAllVirtualVoice() != 0) state.SkipWithError("backup");
    }
}

void BM_OpenEditor(benchmark::State& state) {
    Database database(static_cast<int>(state.range(0)));
    if (DBM_Init() != 0) state.SkipWithError("DBM_Init");
    for (auto _ : state) {
        ReadEveryPair(state);
        if (DBM_BackupAllVirtualVoice() != 0) state.SkipWithError("backup");
        const uint32_t editor = DBM_GetEditor();
        state.PauseTiming();
        DBM_RollBackEditor(editor);
        state.ResumeTiming();
    }
}

void Commit(benchmark::State& state, int changes) {
    Database database(static_cast<int>(state.range(0)));
    if (DBM_Init() != 0) state.SkipWithError("DBM_Init");
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const uint32_t editor = DBM_GetEditor();
        ChangeVoices(state, editor, changes < 0 ? static_cast<int>(state.range(0)) : changes,
                     ++round);
        state.ResumeTiming();
        if (DBM_CommitEditor(editor) != 0 || DBM_UpdateUserRegistory(editor) != 0)
            state.SkipWithError("commit");
    }
    PeakMemory(state);
}

void BM_Commit64(benchmark::State& state) { Commit(state, 64); }
void BM_CommitAll(benchmark::State& state) { Commit(state, -1); }

void BM_RollBack64(benchmark::State& state) {
    Database database(static_cast<int>(state.range(0)));
    if (DBM_Init() != 0) state.SkipWithError("DBM_Init");
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const uint32_t editor = DBM_GetEditor();
        ChangeVoices(state, editor, 64, ++round);
        state.ResumeTiming();
        if (DBM_RollBackEditor(editor) != 0) state.SkipWithError("roll back");
    }
}

}  // namespace

BENCHMARK(BM_Load)->Arg(1024)->Arg(16384)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backup)->Arg(1024)->Arg(16384)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditor)->Arg(1024)->Arg(16384)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Commit64)->Arg(1024)->Arg(16384)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitAll)->Arg(1024)->Arg(16384)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RollBack64)->Arg(1024)->Arg(16384)->Unit(benchmark::kMillisecond);
