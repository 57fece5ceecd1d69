// A TrakManager that records every call in order with its arguments and its
// answer, and refuses chosen calls on demand. A refused call answers 0 (a
// null voice for vvoiceGetVVoice) and leaves the sequence as it was; the two
// notification calls cannot be refused and are only recorded.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "trak4/trak_manager.h"

namespace trak4 {

enum class TrakOp {
    kGetVVoice,
    kInsert,
    kUpdate,
    kRemove,
    kInitializeUpdateContext,
    kNotifyObservers,
    kReplaceLibTable,
    kGetFilePath,
};

struct TrakCall {
    TrakOp op = TrakOp::kGetVVoice;
    int32_t bank = -1;
    int32_t program = -1;
    std::u16string primaryId;  // a null text is recorded as empty
    std::u16string secondaryId;
    std::u16string name;
    AxVVoiceParam primary;
    AxVVoiceParam secondary;
    AxVVoiceLibTable table;
    int32_t result = 0;  // for kGetVVoice: 1 when a voice was handed out
    bool refused = false;
};

class RecordingTrakManager : public TrakManager {
public:
    using TrakManager::TrakManager;

    // Refuses the n-th call (1-based, counted from construction) of `op`.
    void RefuseCall(TrakOp op, int n) { refusedCalls_[op].insert(n); }
    // Refuses every call of `op` from now on.
    void RefuseAll(TrakOp op) { refuseAll_.insert(op); }
    void ClearRefusals();
    // vvoiceGetVVoice is asked 16384 times per load; tests that look at the
    // changes may leave it (and fileGetCurrentFilePath) out of the record.
    void RecordLookups(bool record) { recordLookups_ = record; }

    const std::vector<TrakCall>& Calls() const { return calls_; }
    std::vector<TrakCall> CallsOf(TrakOp op) const;
    int CountOf(TrakOp op) const;  // calls made, recorded or not
    void ClearCalls() { calls_.clear(); }

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
    // Counts the call and tells whether it is to be refused.
    bool Refuses(TrakOp op) const;
    void Record(TrakCall call) const;

    mutable std::vector<TrakCall> calls_;
    mutable std::map<TrakOp, int> counts_;
    std::map<TrakOp, std::set<int>> refusedCalls_;
    std::set<TrakOp> refuseAll_;
    bool recordLookups_ = true;
};

}  // namespace trak4
