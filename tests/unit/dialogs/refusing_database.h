// A database that refuses on demand: every call goes to the FakeDatabase,
// except the changes that a test told to fail, which are logged as refused
// and change nothing.
#pragma once

#include <optional>
#include <string>

#include "dbm_target.h"
#include "fake_database.h"

namespace kora::test {

class RefusingDatabase final : public DbmTarget {
public:
    RefusingDatabase(FakeDatabase& database, CallLog& log) : db_(database), log_(log) {}

    std::optional<int32_t> createRefusal;
    std::optional<int32_t> setInfoRefusal;
    std::optional<int32_t> deleteRefusal;
    std::optional<int32_t> setDefaultRefusal;
    // Create answers success with this program and stores nothing.
    std::optional<int32_t> createdProgram;

    int32_t Init() override { return db_.Init(); }
    int32_t Delete() override { return db_.Delete(); }
    int32_t GetAllVoice(DbmVoiceList** outList) override { return db_.GetAllVoice(outList); }
    int32_t GetVoiceParameters(const char16_t* voiceId, int32_t* outParams6) override {
        return db_.GetVoiceParameters(voiceId, outParams6);
    }
    int32_t BackupAllVirtualVoice() override { return db_.BackupAllVirtualVoice(); }
    int32_t GetVirtualVoiceInfo(int32_t bank, int32_t program, DBM_VVOICE_INFO* outInfo) override {
        return db_.GetVirtualVoiceInfo(bank, program, outInfo);
    }
    uint32_t GetEditor() override { return db_.GetEditor(); }
    int32_t CommitEditor(uint32_t editor) override { return db_.CommitEditor(editor); }
    int32_t UpdateUserRegistory(uint32_t editor) override {
        return db_.UpdateUserRegistory(editor);
    }
    int32_t RollBackEditor(uint32_t editor) override { return db_.RollBackEditor(editor); }
    int32_t GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) override {
        return db_.GetDefaultVirtualVoice(outBank, outProgram);
    }
    int32_t SetDefaultVirtualVoice(uint32_t editor, int32_t bank, int32_t program) override {
        if (setDefaultRefusal) return Refuse("DBM_SetDefaultVirtualVoice", *setDefaultRefusal);
        return db_.SetDefaultVirtualVoice(editor, bank, program);
    }
    int32_t GetXSynthData(XSynthGroupList* outGroups) override {
        return db_.GetXSynthData(outGroups);
    }
    int32_t CreateVirtualVoice(uint32_t editor, int32_t bank, int32_t* outProgram,
                               const char16_t* primaryVoiceId, const char16_t* name) override {
        if (createRefusal) return Refuse("DBM_CreateVirtualVoice", *createRefusal);
        if (createdProgram) {
            log_.Add("DBM_CreateVirtualVoice gives " + std::to_string(*createdProgram));
            *outProgram = *createdProgram;
            return 0;
        }
        return db_.CreateVirtualVoice(editor, bank, outProgram, primaryVoiceId, name);
    }
    int32_t SetVirtualVoiceInfo(uint32_t editor, const DBM_VVOICE_INFO* info) override {
        if (setInfoRefusal) return Refuse("DBM_SetVirtualVoiceInfo", *setInfoRefusal);
        return db_.SetVirtualVoiceInfo(editor, info);
    }
    int32_t DeleteVirtualVoice(uint32_t editor, int32_t bank, int32_t program) override {
        if (deleteRefusal) return Refuse("DBM_DeleteVirtualVoice", *deleteRefusal);
        return db_.DeleteVirtualVoice(editor, bank, program);
    }
    int32_t Unexpected(const char* entryPoint) override { return db_.Unexpected(entryPoint); }

private:
    int32_t Refuse(const std::string& call, int32_t result) {
        log_.Add(call + " refused");
        return result;
    }

    FakeDatabase& db_;
    CallLog& log_;
};

}  // namespace kora::test
