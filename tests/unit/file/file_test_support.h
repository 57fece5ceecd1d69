// Shared by the file tests and the fuzz target: byte strings, entries and an
// import environment held in memory.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "file/singer_export.h"
#include "file/singer_import.h"
#include "model/text_codec.h"

namespace kora::test {

inline std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

inline std::vector<uint8_t> Utf16LeWithMark(std::u16string_view text) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (const char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

inline std::array<int32_t, 6> Values(const AxVVoiceParam& p) {
    return {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX, p.VOL};
}

inline SingerEntry Entry(std::u16string name, std::u16string primaryId,
                         std::array<int32_t, 5> primary, std::u16string secondaryId = {},
                         std::array<int32_t, 6> secondary = {}) {
    SingerEntry entry;
    entry.name = std::move(name);
    entry.primaryId = std::move(primaryId);
    entry.primaryParams = primary;
    entry.secondaryId = std::move(secondaryId);
    entry.secondaryParams = secondary;
    return entry;
}

// Installed voices, groups and My Singers in memory; keeps every record
// handed to the database and refuses the creation numbered refuseAt (from 1).
class FakeImportEnvironment final : public ImportEnvironment {
public:
    std::vector<InstalledVoice> voices;
    std::vector<std::vector<std::u16string>> groups;
    std::vector<SingerEntry> mySingers;
    std::vector<DBM_VVOICE_INFO> created;
    int refuseAt = 0;

    const InstalledVoice* FindInstalledVoice(std::u16string_view voiceId) const override {
        for (const auto& voice : voices) {
            if (voice.voiceId == voiceId) return &voice;
        }
        return nullptr;
    }
    std::set<std::u16string> CollectXSynthPartners(std::u16string_view voiceId) const override {
        std::set<std::u16string> partners;
        for (const auto& group : groups) {
            if (std::find(group.begin(), group.end(), voiceId) != group.end())
                partners.insert(group.begin(), group.end());
        }
        partners.erase(std::u16string(voiceId));
        return partners;
    }
    const std::vector<SingerEntry>& MySingers() const override { return mySingers; }
    bool CreateAndInsert(DBM_VVOICE_INFO& record, const AxVVoiceParam& p,
                         const AxVVoiceParam& s) override {
        if (++creations_ == refuseAt) return false;
        record.program = nextProgram_[record.bank]++;
        created.push_back(record);
        SingerEntry entry =
            Entry(record.name, record.primaryVoiceId, {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX},
                  record.secondaryVoiceId, {s.BRE, s.BRI, s.CLE, s.GEN, s.AUX, s.VOL});
        entry.bank = record.bank;
        entry.program = record.program;
        entry.state = kStateAdded;
        mySingers.push_back(entry);
        return true;
    }

private:
    int creations_ = 0;
    std::map<int32_t, int32_t> nextProgram_;
};

// Host and module as a running host reports them; any of them can be taken away.
class FakeExportEnvironment final : public ExportEnvironment {
public:
    std::optional<std::u16string> hostPath = u"C:\\Program Files\\Host\\host.app.exe";
    std::optional<std::u16string> modulePath = u"C:\\Program Files\\Host\\kora4.dll";
    std::optional<ModuleFileVersion> version = ModuleFileVersion{4, 3, 0, 1};
    mutable std::vector<std::u16string> versionAskedFor;

    std::optional<std::u16string> HostExecutablePath() const override { return hostPath; }
    std::optional<std::u16string> ModulePath() const override { return modulePath; }
    std::optional<ModuleFileVersion> ModuleVersion(const std::u16string& path) const override {
        versionAskedFor.push_back(path);
        return version;
    }
};

}  // namespace kora::test
