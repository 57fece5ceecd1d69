#include "fake_database.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "model/text_field.h"

namespace kora::test {
namespace {

std::string PairText(int32_t bank, int32_t program) {
    return "(" + std::to_string(bank) + "," + std::to_string(program) + ")";
}

}  // namespace

void FakeDatabase::AddVoice(std::u16string voiceId, std::u16string name, int32_t bank,
                            std::array<int32_t, 5> defaults) {
    VoiceParameters& parameters = parameters_[voiceId];
    std::copy(defaults.begin(), defaults.end(), parameters.values.begin());
    const char16_t* id = texts_.emplace_back(std::move(voiceId)).c_str();
    const char16_t* shown = texts_.emplace_back(std::move(name)).c_str();
    voices_.push_back(Voice{id, shown, bank});
    RebuildList();
}

void FakeDatabase::RebuildList() {
    entries_.clear();
    for (const Voice& voice : voices_) {
        entries_.push_back(DbmVoiceEntry{u"", voice.voiceId, voice.name, voice.bank});
    }
    entries_.push_back(DbmVoiceEntry{nullptr, nullptr, nullptr, 0});
    list_.count = static_cast<int32_t>(voices_.size());
    list_.entries = entries_.data();
}

FakeDatabase::FakeDatabase(CallLog& log) : log_(log) { RebuildList(); }

void FakeDatabase::SetVoiceParameters(std::u16string voiceId, std::array<int32_t, 6> values,
                                      int32_t result) {
    parameters_[std::move(voiceId)] = VoiceParameters{values, result};
}

void FakeDatabase::AddVirtualVoice(const SingerEntry& singer, std::u16string primaryName) {
    DBM_VVOICE_INFO info;
    std::memset(&info, 0, sizeof info);
    info.bank = singer.bank;
    info.program = singer.program;
    std::copy(singer.primaryParams.begin(), singer.primaryParams.end(), info.primaryParams);
    std::copy(singer.secondaryParams.begin(), singer.secondaryParams.end(), info.secondaryParams);
    CopyToField(info.primaryName, primaryName);
    CopyToField(info.name, singer.name);
    CopyToField(info.primaryVoiceId, singer.primaryId);
    CopyToField(info.secondaryVoiceId, singer.secondaryId);
    virtualVoices_[Pair{singer.bank, singer.program}] = info;
}

int32_t FakeDatabase::Logged(const std::string& call, int32_t result) {
    log_.Add(call);
    return result;
}

int32_t FakeDatabase::Init() { return Logged("DBM_Init", 0); }
int32_t FakeDatabase::Delete() { return Logged("DBM_Delete", 0); }

int32_t FakeDatabase::GetAllVoice(DbmVoiceList** outList) {
    log_.Add("DBM_GetAllVoice");
    *outList = &list_;
    return 0;
}

int32_t FakeDatabase::GetVoiceParameters(const char16_t* voiceId, int32_t* outParams6) {
    log_.Add("DBM_GetVoiceParameters(" + Narrow(voiceId) + ")");
    const auto found = parameters_.find(voiceId);
    if (found == parameters_.end()) return -1;
    std::copy(found->second.values.begin(), found->second.values.end(), outParams6);
    return found->second.result;
}

int32_t FakeDatabase::BackupAllVirtualVoice() { return Logged("DBM_BackupAllVirtualVoice", 0); }

int32_t FakeDatabase::GetVirtualVoiceInfo(int32_t bank, int32_t program, DBM_VVOICE_INFO* outInfo) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(outInfo);
    const bool cleared = std::all_of(bytes, bytes + sizeof *outInfo, [](auto b) { return b == 0; });
    log_.Add(cleared ? "DBM_GetVirtualVoiceInfo" : "DBM_GetVirtualVoiceInfo: record not cleared");
    if (virtualInfoFailsAt == Pair{bank, program}) return virtualInfoFailure;
    const auto found = virtualVoices_.find(Pair{bank, program});
    if (found == virtualVoices_.end()) return kDbmNoVirtualVoice;
    *outInfo = found->second;
    return 0;
}

uint32_t FakeDatabase::GetEditor() {
    log_.Add("DBM_GetEditor");
    atEditor_ = virtualVoices_;
    return editorHandle;
}

int32_t FakeDatabase::CommitEditor(uint32_t editor) {
    return Logged("DBM_CommitEditor(" + std::to_string(editor) + ")", 0);
}

int32_t FakeDatabase::UpdateUserRegistory(uint32_t editor) {
    return Logged("DBM_UpdateUserRegistory(" + std::to_string(editor) + ")", 0);
}

int32_t FakeDatabase::RollBackEditor(uint32_t editor) {
    log_.Add("DBM_RollBackEditor(" + std::to_string(editor) + ")");
    if (rollBackResult == 0) virtualVoices_ = atEditor_;
    return rollBackResult;
}

int32_t FakeDatabase::GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) {
    log_.Add("DBM_GetDefaultVirtualVoice");
    if (defaultResult == 0) {
        *outBank = defaultBank;
        *outProgram = defaultProgram;
    }
    return defaultResult;
}

int32_t FakeDatabase::SetDefaultVirtualVoice(uint32_t editor, int32_t bank, int32_t program) {
    if (setDefaultRefusal) return Logged("DBM_SetDefaultVirtualVoice refused", *setDefaultRefusal);
    log_.Add("DBM_SetDefaultVirtualVoice(" + std::to_string(editor) + PairText(bank, program) +
             ")");
    defaultBank = bank;
    defaultProgram = program;
    return 0;
}

int32_t FakeDatabase::GetXSynthData(XSynthGroupList* outGroups) {
    log_.Add("DBM_GetXSynthData");
    if (xsynthResult == 0) *outGroups = xsynthGroups;
    return xsynthResult;
}

int32_t FakeDatabase::CreateVirtualVoice(uint32_t editor, int32_t bank, int32_t* outProgram,
                                         const char16_t* primaryVoiceId, const char16_t* name) {
    if (createRefusal) return Logged("DBM_CreateVirtualVoice refused", *createRefusal);
    if (createdProgram) {
        log_.Add("DBM_CreateVirtualVoice gives " + std::to_string(*createdProgram));
        *outProgram = *createdProgram;
        return 0;
    }
    log_.Add("DBM_CreateVirtualVoice(" + std::to_string(editor) + "," + std::to_string(bank) + ")");
    for (int32_t program = 0; program < kPairLimit; ++program) {
        if (virtualVoices_.contains(Pair{bank, program})) continue;
        SingerEntry singer;
        singer.bank = bank;
        singer.program = program;
        singer.name = name;
        singer.primaryId = primaryVoiceId;
        AddVirtualVoice(singer, u"");
        *outProgram = program;
        return 0;
    }
    return -1;
}

int32_t FakeDatabase::SetVirtualVoiceInfo(uint32_t editor, const DBM_VVOICE_INFO* info) {
    if (setInfoRefusal) return Logged("DBM_SetVirtualVoiceInfo refused", *setInfoRefusal);
    log_.Add("DBM_SetVirtualVoiceInfo(" + std::to_string(editor) +
             PairText(info->bank, info->program) + ")");
    virtualVoices_[Pair{info->bank, info->program}] = *info;
    return 0;
}

int32_t FakeDatabase::DeleteVirtualVoice(uint32_t editor, int32_t bank, int32_t program) {
    if (deleteRefusal) return Logged("DBM_DeleteVirtualVoice refused", *deleteRefusal);
    log_.Add("DBM_DeleteVirtualVoice(" + std::to_string(editor) + PairText(bank, program) + ")");
    return virtualVoices_.erase(Pair{bank, program}) == 1 ? 0 : -1;
}

int32_t FakeDatabase::Unexpected(const char* entryPoint) {
    return Logged(std::string("unexpected ") + entryPoint, -1);
}

BoundContext::BoundContext(DbmTarget& database) {
    library_ = dlopen(FORWARDING_VBANK4, RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) throw std::runtime_error("cannot load " FORWARDING_VBANK4);
    const auto setTarget =
        reinterpret_cast<PFN_FakeDbm_SetTarget>(dlsym(library_, "FakeDbm_SetTarget"));
    if (setTarget != nullptr) setTarget(&database);
    context_ = std::make_unique<api::ModuleContext>(api::DbmBinding::Bind(FORWARDING_VBANK4));
    // As KORA_Init leaves it; a library that did not bind leaves the
    // context uninitialized, which the tests see as failed database calls.
    context_->initialized = setTarget != nullptr && context_->status == 1;
}

BoundContext::~BoundContext() {
    context_.reset();
    const auto setTarget =
        reinterpret_cast<PFN_FakeDbm_SetTarget>(dlsym(library_, "FakeDbm_SetTarget"));
    if (setTarget != nullptr) setTarget(nullptr);
    dlclose(library_);
}

}  // namespace kora::test
