// Helpers shared by the file tests: a recording import environment, entries,
// byte strings and a scratch folder.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "file/singer_import.h"
#include "model/text_codec.h"

namespace kora::test {

inline std::vector<uint8_t> Bytes(std::string_view text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

inline std::vector<uint8_t> WithUtf8Mark(std::string_view text) {
    std::vector<uint8_t> bytes = {0xEF, 0xBB, 0xBF};
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

inline std::vector<uint8_t> Utf16LeWithMark(std::u16string_view text) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (const char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

inline std::string Utf8(std::u16string_view text) { return EncodeUtf8(text); }

inline InstalledVoice Voice(int32_t bank, std::u16string name, std::u16string voiceId,
                            std::array<int32_t, 5> defaults) {
    InstalledVoice voice;
    voice.bank = bank;
    voice.name = std::move(name);
    voice.voiceId = std::move(voiceId);
    voice.defaults = defaults;
    return voice;
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

// Installed voices, groups and My Singers in memory; records every record
// handed to the database and refuses the creation numbered refuseAt (from 1).
class FakeImportEnvironment final : public ImportEnvironment {
public:
    std::vector<InstalledVoice> voices;
    std::vector<std::vector<std::u16string>> groups;
    std::vector<SingerEntry> mySingers;
    std::vector<DBM_VVOICE_INFO> created;
    int refuseAt = 0;
    int creations = 0;

    const InstalledVoice* FindInstalledVoice(std::u16string_view voiceId) const override {
        for (const auto& voice : voices) {
            if (voice.voiceId == voiceId) return &voice;
        }
        return nullptr;
    }
    std::set<std::u16string> CollectXSynthPartners(std::u16string_view voiceId) const override {
        std::set<std::u16string> partners;
        for (const auto& group : groups) {
            for (const auto& member : group) {
                if (member == voiceId) {
                    partners.insert(group.begin(), group.end());
                    break;
                }
            }
        }
        partners.erase(std::u16string(voiceId));
        return partners;
    }
    const std::vector<SingerEntry>& MySingers() const override { return mySingers; }
    bool CreateAndInsert(DBM_VVOICE_INFO& record, const AxVVoiceParam& primary,
                         const AxVVoiceParam& secondary) override {
        if (++creations == refuseAt) return false;
        record.program = nextProgram_[record.bank]++;
        created.push_back(record);
        SingerEntry entry;
        entry.bank = record.bank;
        entry.program = record.program;
        entry.name = record.name;
        entry.primaryId = record.primaryVoiceId;
        entry.secondaryId = record.secondaryVoiceId;
        entry.primaryParams = {primary.BRE, primary.BRI, primary.CLE, primary.GEN, primary.AUX};
        entry.secondaryParams = {secondary.BRE, secondary.BRI, secondary.CLE,
                                 secondary.GEN, secondary.AUX, secondary.VOL};
        entry.state = kStateAdded;
        mySingers.push_back(entry);
        return true;
    }

private:
    std::map<int32_t, int32_t> nextProgram_;
};

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("kora4-file-test-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
                 std::to_string(counter_++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path Path(const std::string& name) const { return path_ / name; }
    std::u16string Path16(const std::string& name) const {
        const std::string text = Path(name).string();
        return std::u16string(text.begin(), text.end());
    }

private:
    std::filesystem::path path_;
    static inline int counter_ = 0;
};

}  // namespace kora::test
