// A voice database held in the test's memory and reached through the
// forwarding library: installed voices, virtual voices, the default voice,
// cross-synthesis groups, answers and refusals to inject, every call logged.
// BoundContext binds a module context to it the way KORA_Init would.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "api/module_context.h"
#include "call_log.h"
#include "dbm_target.h"
#include "model/pair_map.h"
#include "model/records.h"

namespace kora::test {

class FakeDatabase final : public DbmTarget {
public:
    explicit FakeDatabase(CallLog& log);

    // An installed voice; its parameters answer with `defaults` and AUX.
    void AddVoice(std::u16string voiceId, std::u16string name, int32_t bank,
                  std::array<int32_t, 5> defaults = {});
    // The voice list as DBM_GetAllVoice hands it out; tests may spoil it.
    DbmVoiceList& VoiceList() { return list_; }
    // Overrides what DBM_GetVoiceParameters answers for `voiceId`.
    void SetVoiceParameters(std::u16string voiceId, std::array<int32_t, 6> values,
                            int32_t result = 0);

    // A virtual voice as DBM_GetVirtualVoiceInfo gives it.
    void AddVirtualVoice(const SingerEntry& singer, std::u16string primaryName);
    const std::map<Pair, DBM_VVOICE_INFO>& VirtualVoices() const { return virtualVoices_; }

    // Answers to inject.
    std::optional<Pair> virtualInfoFailsAt;  // with virtualInfoFailure
    int32_t virtualInfoFailure = -1;
    uint32_t editorHandle = 77;
    int32_t rollBackResult = 0;
    int32_t defaultBank = -1;
    int32_t defaultProgram = -1;
    int32_t defaultResult = 0;
    XSynthGroupList xsynthGroups;
    int32_t xsynthResult = 0;
    // Changes refused with these answers: logged as "<call> refused", no effect.
    std::optional<int32_t> createRefusal, setInfoRefusal, deleteRefusal, setDefaultRefusal;
    // Create answers success with this program and stores nothing.
    std::optional<int32_t> createdProgram;

    int32_t Init() override;
    int32_t Delete() override;
    int32_t GetAllVoice(DbmVoiceList** outList) override;
    int32_t GetVoiceParameters(const char16_t* voiceId, int32_t* outParams6) override;
    int32_t BackupAllVirtualVoice() override;
    int32_t GetVirtualVoiceInfo(int32_t bank, int32_t program, DBM_VVOICE_INFO* outInfo) override;
    uint32_t GetEditor() override;
    int32_t CommitEditor(uint32_t editor) override;
    int32_t UpdateUserRegistory(uint32_t editor) override;
    int32_t RollBackEditor(uint32_t editor) override;
    int32_t GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) override;
    int32_t SetDefaultVirtualVoice(uint32_t editor, int32_t bank, int32_t program) override;
    int32_t GetXSynthData(XSynthGroupList* outGroups) override;
    int32_t CreateVirtualVoice(uint32_t editor, int32_t bank, int32_t* outProgram,
                               const char16_t* primaryVoiceId, const char16_t* name) override;
    int32_t SetVirtualVoiceInfo(uint32_t editor, const DBM_VVOICE_INFO* info) override;
    int32_t DeleteVirtualVoice(uint32_t editor, int32_t bank, int32_t program) override;
    int32_t Unexpected(const char* entryPoint) override;

private:
    struct VoiceParameters {
        std::array<int32_t, 6> values{};
        int32_t result = 0;
    };
    void RebuildList();
    int32_t Logged(const std::string& call, int32_t result);

    CallLog& log_;
    std::deque<std::u16string> texts_;  // stable storage of the list's texts
    struct Voice {
        const char16_t* voiceId;
        const char16_t* name;
        int32_t bank;
    };
    std::vector<Voice> voices_;
    std::vector<DbmVoiceEntry> entries_;
    DbmVoiceList list_{0, nullptr};
    std::map<std::u16string, VoiceParameters> parameters_;
    std::map<Pair, DBM_VVOICE_INFO> virtualVoices_;
    std::map<Pair, DBM_VVOICE_INFO> atEditor_;  // what a roll-back goes back to
};

// A module context bound to the forwarding library with `database` as its
// target, initialized as KORA_Init leaves it. The library stays loaded and
// the target installed while this lives.
class BoundContext {
public:
    explicit BoundContext(DbmTarget& database);
    ~BoundContext();
    BoundContext(const BoundContext&) = delete;
    BoundContext& operator=(const BoundContext&) = delete;

    api::ModuleContext& Context() { return *context_; }

private:
    void* library_ = nullptr;
    std::unique_ptr<api::ModuleContext> context_;
};

}  // namespace kora::test
