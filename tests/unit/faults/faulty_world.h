// A voice database and a sequence manager that count every call the module
// makes into them on one FaultPlan: the call numbered failAt (from 1) fails
// (a failure answer, nothing done) or throws. The database is the vbank4
// stand-in itself, reached through the forwarding library; the sequence
// manager is the trak4 stand-in's.
#pragma once

#include <dlfcn.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "dbm_target.h"
#include "trak4/trak_manager.h"

namespace kora::faults {

enum class FaultMode { Fail, Throw };

struct CallRecord {
    std::string entry;
    int32_t bank = -1;
    int32_t program = -1;
};

class FaultPlan {
public:
    // failAt 0: count only; `record` keeps every call.
    void Arm(int failAt, FaultMode mode, bool record) {
        *this = {};
        failAt_ = failAt;
        mode_ = mode;
        record_ = record;
        armed_ = true;
    }
    void Disarm() { armed_ = false; }

    // Counts a call; true when it is to fail (in Throw mode it throws).
    bool Fails(const char* entry, int32_t bank = -1, int32_t program = -1) {
        if (!armed_) return false;
        if (record_) records_.push_back({entry, bank, program});
        if (++calls_ != failAt_) return false;
        if (mode_ == FaultMode::Throw) throw std::runtime_error("injected fault");
        return true;
    }
    const std::vector<CallRecord>& Records() const { return records_; }

private:
    bool armed_ = false;
    bool record_ = false;
    int failAt_ = 0;
    FaultMode mode_ = FaultMode::Fail;
    int calls_ = 0;
    std::vector<CallRecord> records_;
};

// What a failed database call answers: the stand-in's "internal error".
inline constexpr int32_t kInjectedFailure = static_cast<int32_t>(0x830A500A);

// Counts the call (at bank, program); a failed one answers `refused`.
#define FAULTY_DBM_AT(refused, name, bank, program, ...)   \
    if (plan_.Fails(#name, bank, program)) return refused; \
    return reinterpret_cast<PFN_##name>(dlsym(library_, #name))(__VA_ARGS__)
#define FAULTY_DBM(name, ...) FAULTY_DBM_AT(kInjectedFailure, name, -1, -1, __VA_ARGS__)

class FaultyDatabase final : public DbmTarget {
public:
    explicit FaultyDatabase(FaultPlan& plan) : plan_(plan) {}
    ~FaultyDatabase() { dlclose(library_); }
    FaultyDatabase(const FaultyDatabase&) = delete;
    FaultyDatabase& operator=(const FaultyDatabase&) = delete;

    std::vector<std::string> unexpectedCalls;  // entry points the module must never call

    int32_t Init() override { FAULTY_DBM(DBM_Init); }
    int32_t Delete() override { FAULTY_DBM(DBM_Delete); }
    int32_t GetAllVoice(DbmVoiceList** list) override { FAULTY_DBM(DBM_GetAllVoice, list); }
    int32_t GetVoiceParameters(const char16_t* id, int32_t* out) override {
        FAULTY_DBM(DBM_GetVoiceParameters, id, out);
    }
    int32_t BackupAllVirtualVoice() override { FAULTY_DBM(DBM_BackupAllVirtualVoice); }
    int32_t GetVirtualVoiceInfo(int32_t bank, int32_t program, DBM_VVOICE_INFO* info) override {
        FAULTY_DBM_AT(kInjectedFailure, DBM_GetVirtualVoiceInfo, bank, program, bank, program,
                      info);
    }
    uint32_t GetEditor() override { FAULTY_DBM_AT(0u, DBM_GetEditor, -1, -1); }
    int32_t CommitEditor(uint32_t editor) override { FAULTY_DBM(DBM_CommitEditor, editor); }
    int32_t UpdateUserRegistory(uint32_t editor) override {
        FAULTY_DBM(DBM_UpdateUserRegistory, editor);
    }
    int32_t RollBackEditor(uint32_t editor) override { FAULTY_DBM(DBM_RollBackEditor, editor); }
    int32_t GetDefaultVirtualVoice(int32_t* bank, int32_t* program) override {
        FAULTY_DBM(DBM_GetDefaultVirtualVoice, bank, program);
    }
    int32_t SetDefaultVirtualVoice(uint32_t editor, int32_t bank, int32_t program) override {
        FAULTY_DBM(DBM_SetDefaultVirtualVoice, editor, bank, program);
    }
    int32_t GetXSynthData(XSynthGroupList* groups) override {
        FAULTY_DBM(DBM_GetXSynthData, groups);
    }
    int32_t CreateVirtualVoice(uint32_t editor, int32_t bank, int32_t* program,
                               const char16_t* primaryVoiceId, const char16_t* name) override {
        FAULTY_DBM(DBM_CreateVirtualVoice, editor, bank, program, primaryVoiceId, name);
    }
    int32_t SetVirtualVoiceInfo(uint32_t editor, const DBM_VVOICE_INFO* info) override {
        FAULTY_DBM(DBM_SetVirtualVoiceInfo, editor, info);
    }
    int32_t DeleteVirtualVoice(uint32_t editor, int32_t bank, int32_t program) override {
        FAULTY_DBM(DBM_DeleteVirtualVoice, editor, bank, program);
    }
    int32_t Unexpected(const char* entryPoint) override {
        unexpectedCalls.emplace_back(entryPoint);
        return kInjectedFailure;
    }

private:
    FaultPlan& plan_;
    void* library_ = dlopen(VBANK4_LIBRARY, RTLD_NOW | RTLD_LOCAL);
};

#undef FAULTY_DBM
#undef FAULTY_DBM_AT

// Counts the call (at bank, program); a failed one answers `refused`.
#define FAULTY_TRAK(refused, name, bank, program, ...)     \
    if (plan_.Fails(#name, bank, program)) return refused; \
    return TrakManager::name(__VA_ARGS__)

// A refused call answers as the stand-in's refusals do: no voice, 0, an
// empty path; the notifications do nothing.
class FaultySequence final : public trak4::TrakManager {
public:
    FaultySequence(FaultPlan& plan, const trak4::SequenceDocument& document)
        : TrakManager(document), plan_(plan) {}

    IAxVVoice* vvoiceGetVVoice(int32_t bank, int32_t program) const override {
        FAULTY_TRAK(nullptr, vvoiceGetVVoice, bank, program, bank, program);
    }
    int32_t vvoiceInsertVVoiceV4(int32_t bank, int32_t program, const char16_t* primaryId,
                                 const char16_t* secondaryId, const char16_t* name,
                                 const AxVVoiceParam& primary,
                                 const AxVVoiceParam& secondary) override {
        FAULTY_TRAK(0, vvoiceInsertVVoiceV4, bank, program, bank, program, primaryId, secondaryId,
                    name, primary, secondary);
    }
    int32_t vvoiceUpdateVVoiceV4(int32_t bank, int32_t program, const char16_t* name,
                                 const char16_t* secondaryId, const AxVVoiceParam& primary,
                                 const AxVVoiceParam& secondary) override {
        FAULTY_TRAK(0, vvoiceUpdateVVoiceV4, bank, program, bank, program, name, secondaryId,
                    primary, secondary);
    }
    int32_t vvoiceRemoveVVoice(int32_t bank, int32_t program) override {
        FAULTY_TRAK(0, vvoiceRemoveVVoice, bank, program, bank, program);
    }
    void vvoiceInitializeUpdateContext() override {
        FAULTY_TRAK(, vvoiceInitializeUpdateContext, -1, -1);
    }
    void vvoiceNotifyObserversOfUpdates() override {
        FAULTY_TRAK(, vvoiceNotifyObserversOfUpdates, -1, -1);
    }
    int32_t sysReplaceVVoiceLibTable(const AxVVoiceLibTable& table) override {
        FAULTY_TRAK(0, sysReplaceVVoiceLibTable, -1, -1, table);
    }
    std::u16string fileGetCurrentFilePath() const override {
        FAULTY_TRAK(std::u16string(), fileGetCurrentFilePath, -1, -1);
    }

private:
    FaultPlan& plan_;
};

#undef FAULTY_TRAK

}  // namespace kora::faults
