// What the forwarding database library calls: every entry point of the
// library goes to the one target the test installed, inside the test's own
// process, so a test can answer and record each call in C++.
#pragma once

#include "kora4/vbank4.h"

class DbmTarget {
public:
    virtual int32_t Init() = 0;
    virtual int32_t Delete() = 0;
    virtual int32_t GetAllVoice(DbmVoiceList** outList) = 0;
    virtual int32_t GetVoiceParameters(const char16_t* voiceId, int32_t* outParams6) = 0;
    virtual int32_t BackupAllVirtualVoice() = 0;
    virtual int32_t GetVirtualVoiceInfo(int32_t bank, int32_t program,
                                        DBM_VVOICE_INFO* outInfo) = 0;
    virtual uint32_t GetEditor() = 0;
    virtual int32_t CommitEditor(uint32_t editor) = 0;
    virtual int32_t UpdateUserRegistory(uint32_t editor) = 0;
    virtual int32_t RollBackEditor(uint32_t editor) = 0;
    virtual int32_t GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) = 0;
    virtual int32_t SetDefaultVirtualVoice(uint32_t editor, int32_t bank, int32_t program) = 0;
    virtual int32_t GetXSynthData(XSynthGroupList* outGroups) = 0;
    virtual int32_t CreateVirtualVoice(uint32_t editor, int32_t bank, int32_t* outProgram,
                                       const char16_t* primaryVoiceId, const char16_t* name) = 0;
    virtual int32_t SetVirtualVoiceInfo(uint32_t editor, const DBM_VVOICE_INFO* info) = 0;
    virtual int32_t DeleteVirtualVoice(uint32_t editor, int32_t bank, int32_t program) = 0;
    // Any of the entry points the module binds but never calls.
    virtual int32_t Unexpected(const char* entryPoint) = 0;

protected:
    ~DbmTarget() = default;
};

// Exported by the forwarding library; null detaches.
using PFN_FakeDbm_SetTarget = void (*)(DbmTarget* target);
