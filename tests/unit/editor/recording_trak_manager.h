// A sequence manager over an in-memory set of virtual voices that records
// every call in a CallLog and refuses what a test asks it to refuse. It
// also refuses what a sequence would not allow: inserting at a pair that
// holds a voice, and updating or removing at a pair that holds none.
#pragma once

#include <array>
#include <map>
#include <set>
#include <string>

#include "call_log.h"
#include "kora4/trak4.h"
#include "model/pair_map.h"
#include "model/records.h"

namespace kora::test {

// One virtual voice of the sequence.
class StoredVoice final : public IAxVVoice {
public:
    StoredVoice() = default;
    explicit StoredVoice(const SingerEntry& singer);

    int32_t Reserved0() const override { return 0; }
    int32_t Reserved1() const override { return 0; }
    int32_t Reserved2() const override { return 0; }
    int32_t Reserved3() const override { return 0; }
    int32_t Reserved4() const override { return 0; }
    int32_t GetBank() const override { return bank; }
    int32_t GetProgram() const override { return program; }
    const char16_t* GetPrimaryVoiceId() const override { return primaryId.c_str(); }
    const char16_t* GetSecondaryVoiceId() const override { return secondaryId.c_str(); }
    const char16_t* GetName() const override { return name.c_str(); }
    const int32_t* GetPrimaryParams() const override { return primary.data(); }
    const int32_t* GetSecondaryParams() const override { return secondary.data(); }

    friend bool operator==(const StoredVoice& a, const StoredVoice& b) {
        return a.bank == b.bank && a.program == b.program && a.primaryId == b.primaryId &&
               a.secondaryId == b.secondaryId && a.name == b.name && a.primary == b.primary &&
               a.secondary == b.secondary;
    }

    int32_t bank = 0;
    int32_t program = 0;
    std::u16string primaryId;
    std::u16string secondaryId;
    std::u16string name;
    std::array<int32_t, 6> primary{};
    std::array<int32_t, 6> secondary{};
};

void PrintTo(const StoredVoice& voice, std::ostream* os);

class RecordingTrakManager final : public CAxTrakManagerIF {
public:
    explicit RecordingTrakManager(CallLog& log) : log_(log) {}

    // The sequence's voices, by pair.
    std::map<Pair, StoredVoice> voices;
    // The library table as last replaced.
    AxVVoiceLibTable libraryTable;
    std::u16string filePath;

    // Refusals to inject, by pair; tableResult answers every replacement.
    std::set<Pair> refuseInsert;
    std::set<Pair> refuseUpdate;
    std::set<Pair> refuseRemove;
    int32_t tableResult = 1;

    void Put(const SingerEntry& singer) {
        voices[Pair{singer.bank, singer.program}] = StoredVoice(singer);
    }

    IAxVVoice* vvoiceGetVVoice(int32_t bank, int32_t program) const override;
    int32_t vvoiceInsertVVoiceV4(int32_t bank, int32_t program, const char16_t* primaryId,
                                 const char16_t* secondaryId, const char16_t* name,
                                 const AxVVoiceParam& primary,
                                 const AxVVoiceParam& secondary) override;
    int32_t vvoiceUpdateVVoiceV4(int32_t bank, int32_t program, const char16_t* name,
                                 const char16_t* secondaryId, const AxVVoiceParam& primary,
                                 const AxVVoiceParam& secondary) override;
    int32_t vvoiceRemoveVVoice(int32_t bank, int32_t program) override;
    void vvoiceInitializeUpdateContext() override;
    void vvoiceNotifyObserversOfUpdates() override;
    int32_t sysReplaceVVoiceLibTable(const AxVVoiceLibTable& table) override;
    std::u16string fileGetCurrentFilePath() const override;

private:
    CallLog& log_;
};

}  // namespace kora::test
