// Reading, writing and importing My Singer information files at full scale:
// 16,384 singers, 128 voices in 128 banks, every third one with a partner.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "file/singer_export.h"
#include "file/singer_file_reader.h"
#include "file/singer_import.h"
#include "model/text_codec.h"

namespace {

using namespace kora;

constexpr int kVoices = 128;
constexpr int kSingers = 16384;

std::u16string VoiceId(int k) {
    std::u16string id = u"VOICE00000000000";
    for (int digit = 0; digit < 3; ++digit) {
        id[15 - digit] = static_cast<char16_t>(u'0' + (k % 10));
        k /= 10;
    }
    return id;
}

std::vector<InstalledVoice> Voices() {
    std::vector<InstalledVoice> voices(kVoices);
    for (int k = 0; k < kVoices; ++k) {
        voices[k].bank = k;
        voices[k].name = u"Voice " + DecimalText(k);
        voices[k].voiceId = VoiceId(k);
        voices[k].defaults = {k % 100, 1, 2, 3, 4};
    }
    return voices;
}

std::vector<SingerEntry> Singers() {
    std::vector<SingerEntry> singers(kSingers);
    for (int k = 0; k < kSingers; ++k) {
        SingerEntry& entry = singers[k];
        entry.bank = k / 128;
        entry.program = k % 128;
        entry.name = u"Singer \"" + DecimalText(k) + u"\" \u6B4C";
        entry.primaryId = VoiceId(entry.bank);
        entry.primaryParams = {k % 255 - 127, (k / 255) % 255 - 127, 3, 4, 0};
        if (k % 3 == 0) {
            entry.secondaryId = VoiceId(entry.bank ^ 1);
            entry.secondaryParams = {5, 6, 7, 8, 0, k % 100};
        }
    }
    return singers;
}

class Environment final : public ExportEnvironment {
public:
    std::optional<std::u16string> HostExecutablePath() const override { return u"host.exe"; }
    std::optional<std::u16string> ModulePath() const override { return u"kora4.dll"; }
    std::optional<ModuleFileVersion> ModuleVersion(const std::u16string&) const override {
        return ModuleFileVersion{4, 3, 0, 1};
    }
};

// Keeps the file's bytes in memory as the file writer would write them.
class MemorySink final : public SingerFileSink {
public:
    std::string bytes = "\xEF\xBB\xBF";
    bool Write(std::u16string_view piece) override {
        for (const char c : EncodeUtf8(piece)) {
            if (c == '\n') bytes += '\r';
            bytes += c;
        }
        return true;
    }
};

std::vector<uint8_t> FileBytes() {
    MemorySink sink;
    WriteMySingers(Singers(), sink, Environment());
    return std::vector<uint8_t>(sink.bytes.begin(), sink.bytes.end());
}

class ImportTarget final : public ImportEnvironment {
public:
    explicit ImportTarget(std::vector<SingerEntry> mySingers) : mySingers_(std::move(mySingers)) {
        for (const auto& voice : voices_) byId_[voice.voiceId] = &voice;
    }
    const InstalledVoice* FindInstalledVoice(std::u16string_view voiceId) const override {
        const auto found = byId_.find(std::u16string(voiceId));
        return found == byId_.end() ? nullptr : found->second;
    }
    std::set<std::u16string> CollectXSynthPartners(std::u16string_view voiceId) const override {
        for (int k = 0; k < kVoices; ++k) {
            if (voices_[k].voiceId == voiceId) return {voices_[k ^ 1].voiceId};
        }
        return {};
    }
    const std::vector<SingerEntry>& MySingers() const override { return mySingers_; }
    bool CreateAndInsert(DBM_VVOICE_INFO& record, const AxVVoiceParam& primary,
                         const AxVVoiceParam& secondary) override {
        SingerEntry entry;
        entry.bank = record.bank;
        entry.name = record.name;
        entry.primaryId = record.primaryVoiceId;
        entry.secondaryId = record.secondaryVoiceId;
        entry.primaryParams = {primary.BRE, primary.BRI, primary.CLE, primary.GEN, primary.AUX};
        entry.secondaryParams = {secondary.BRE, secondary.BRI, secondary.CLE,
                                 secondary.GEN, secondary.AUX, secondary.VOL};
        mySingers_.push_back(std::move(entry));
        return true;
    }

private:
    std::vector<InstalledVoice> voices_ = Voices();
    std::map<std::u16string, const InstalledVoice*> byId_;
    std::vector<SingerEntry> mySingers_;
};

void BM_ReadSingerFile(benchmark::State& state) {
    const auto bytes = FileBytes();
    for (auto _ : state) {
        auto content = ReadSingerFile(bytes);
        benchmark::DoNotOptimize(content);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadSingerFile)->Unit(benchmark::kMillisecond);

void BM_WriteSingerFileToMemory(benchmark::State& state) {
    const auto singers = Singers();
    for (auto _ : state) {
        MemorySink sink;
        benchmark::DoNotOptimize(WriteMySingers(singers, sink, Environment()));
    }
}
BENCHMARK(BM_WriteSingerFileToMemory)->Unit(benchmark::kMillisecond);

void BM_ExportSingerFile(benchmark::State& state) {
    const auto singers = Singers();
    const auto path = std::filesystem::temp_directory_path() / "kora4-bench-export.dat";
    const std::string narrow = path.string();
    const std::u16string wide(narrow.begin(), narrow.end());
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExportSingerFile(wide, singers, Environment()));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExportSingerFile)->Unit(benchmark::kMillisecond);

// Into an empty My list: every line is new and taken.
void BM_ImportAllNew(benchmark::State& state) {
    const auto content = ReadSingerFile(FileBytes());
    for (auto _ : state) {
        ImportTarget target({});
        const auto outcome = ImportSingers(content, target);
        if (outcome.taken != kSingers) state.SkipWithError("not every singer was taken");
    }
}
BENCHMARK(BM_ImportAllNew)->Unit(benchmark::kMillisecond);

// Into the My list it was exported from: most lines are duplicates.
void BM_ImportOntoItself(benchmark::State& state) {
    const auto content = ReadSingerFile(FileBytes());
    const auto singers = Singers();
    for (auto _ : state) {
        ImportTarget target(singers);
        benchmark::DoNotOptimize(ImportSingers(content, target));
    }
}
BENCHMARK(BM_ImportOntoItself)->Unit(benchmark::kMillisecond);

}  // namespace
