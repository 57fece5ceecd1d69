#include "trak4/recording_trak_manager.h"

namespace trak4 {
namespace {

std::u16string TextOf(const char16_t* text) { return text == nullptr ? u"" : text; }

TrakCall Call(TrakOp op, int32_t bank = -1, int32_t program = -1) {
    TrakCall call;
    call.op = op;
    call.bank = bank;
    call.program = program;
    return call;
}

}  // namespace

void RecordingTrakManager::ClearRefusals() {
    refusedCalls_.clear();
    refuseAll_.clear();
}

std::vector<TrakCall> RecordingTrakManager::CallsOf(TrakOp op) const {
    std::vector<TrakCall> found;
    for (const TrakCall& call : calls_) {
        if (call.op == op) found.push_back(call);
    }
    return found;
}

int RecordingTrakManager::CountOf(TrakOp op) const {
    const auto it = counts_.find(op);
    return it == counts_.end() ? 0 : it->second;
}

bool RecordingTrakManager::Refuses(TrakOp op) const {
    const int n = ++counts_[op];
    if (refuseAll_.count(op) != 0) return true;
    const auto it = refusedCalls_.find(op);
    return it != refusedCalls_.end() && it->second.count(n) != 0;
}

void RecordingTrakManager::Record(TrakCall call) const {
    const bool lookup = call.op == TrakOp::kGetVVoice || call.op == TrakOp::kGetFilePath;
    if (recordLookups_ || !lookup) calls_.push_back(std::move(call));
}

IAxVVoice* RecordingTrakManager::vvoiceGetVVoice(int32_t bank, int32_t program) const {
    TrakCall call = Call(TrakOp::kGetVVoice, bank, program);
    call.refused = Refuses(call.op);
    IAxVVoice* voice = call.refused ? nullptr : TrakManager::vvoiceGetVVoice(bank, program);
    call.result = voice != nullptr ? 1 : 0;
    Record(std::move(call));
    return voice;
}

int32_t RecordingTrakManager::vvoiceInsertVVoiceV4(
    int32_t bank, int32_t program, const char16_t* primaryId, const char16_t* secondaryId,
    const char16_t* name, const AxVVoiceParam& primary, const AxVVoiceParam& secondary) {
    TrakCall call = Call(TrakOp::kInsert, bank, program);
    call.primaryId = TextOf(primaryId);
    call.secondaryId = TextOf(secondaryId);
    call.name = TextOf(name);
    call.primary = primary;
    call.secondary = secondary;
    call.refused = Refuses(call.op);
    const int32_t result =
        call.refused ? 0
                     : TrakManager::vvoiceInsertVVoiceV4(bank, program, primaryId, secondaryId,
                                                         name, primary, secondary);
    call.result = result;
    Record(std::move(call));
    return result;
}

int32_t RecordingTrakManager::vvoiceUpdateVVoiceV4(int32_t bank, int32_t program,
                                                   const char16_t* name,
                                                   const char16_t* secondaryId,
                                                   const AxVVoiceParam& primary,
                                                   const AxVVoiceParam& secondary) {
    TrakCall call = Call(TrakOp::kUpdate, bank, program);
    call.secondaryId = TextOf(secondaryId);
    call.name = TextOf(name);
    call.primary = primary;
    call.secondary = secondary;
    call.refused = Refuses(call.op);
    const int32_t result = call.refused ? 0
                                        : TrakManager::vvoiceUpdateVVoiceV4(
                                              bank, program, name, secondaryId, primary, secondary);
    call.result = result;
    Record(std::move(call));
    return result;
}

int32_t RecordingTrakManager::vvoiceRemoveVVoice(int32_t bank, int32_t program) {
    TrakCall call = Call(TrakOp::kRemove, bank, program);
    call.refused = Refuses(call.op);
    const int32_t result = call.refused ? 0 : TrakManager::vvoiceRemoveVVoice(bank, program);
    call.result = result;
    Record(std::move(call));
    return result;
}

void RecordingTrakManager::vvoiceInitializeUpdateContext() {
    Refuses(TrakOp::kInitializeUpdateContext);
    Record(Call(TrakOp::kInitializeUpdateContext));
    TrakManager::vvoiceInitializeUpdateContext();
}

void RecordingTrakManager::vvoiceNotifyObserversOfUpdates() {
    Refuses(TrakOp::kNotifyObservers);
    Record(Call(TrakOp::kNotifyObservers));
    TrakManager::vvoiceNotifyObserversOfUpdates();
}

int32_t RecordingTrakManager::sysReplaceVVoiceLibTable(const AxVVoiceLibTable& table) {
    TrakCall call = Call(TrakOp::kReplaceLibTable);
    call.table = table;
    call.refused = Refuses(call.op);
    const int32_t result = call.refused ? 0 : TrakManager::sysReplaceVVoiceLibTable(table);
    call.result = result;
    Record(std::move(call));
    return result;
}

std::u16string RecordingTrakManager::fileGetCurrentFilePath() const {
    TrakCall call = Call(TrakOp::kGetFilePath);
    call.refused = Refuses(call.op);
    std::u16string path = call.refused ? u"" : TrakManager::fileGetCurrentFilePath();
    call.name = path;
    call.result = 1;
    Record(std::move(call));
    return path;
}

}  // namespace trak4
