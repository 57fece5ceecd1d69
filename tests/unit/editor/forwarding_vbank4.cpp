// A voice database library whose every entry point forwards to the
// DbmTarget that the test installed with FakeDbm_SetTarget. Without a
// target every call fails.
#include <type_traits>

#include "dbm_target.h"

#define FORWARD_EXPORT extern "C" __attribute__((visibility("default")))
#define CHECK_TYPE(name) static_assert(std::is_same_v<decltype(&name), PFN_##name>)

namespace {

DbmTarget*& Target() {
    static DbmTarget* target = nullptr;
    return target;
}

constexpr int32_t kNoTarget = -1;

}  // namespace

FORWARD_EXPORT void FakeDbm_SetTarget(DbmTarget* target) { Target() = target; }
static_assert(std::is_same_v<decltype(&FakeDbm_SetTarget), PFN_FakeDbm_SetTarget>);

#define FORWARD(call) return Target() != nullptr ? Target()->call : kNoTarget
// An entry point the module binds but never calls.
#define UNEXPECTED(name, ...)                                                \
    FORWARD_EXPORT int32_t name(__VA_ARGS__) { FORWARD(Unexpected(#name)); } \
    CHECK_TYPE(name)

FORWARD_EXPORT int32_t DBM_Init() { FORWARD(Init()); }
FORWARD_EXPORT int32_t DBM_Delete() { FORWARD(Delete()); }
UNEXPECTED(DBM_CopyVirtualVoice, uint32_t, int32_t, int32_t, int32_t, int32_t*);
FORWARD_EXPORT int32_t DBM_CreateVirtualVoice(uint32_t editor, int32_t bank, int32_t* outProgram,
                                              const char16_t* primaryVoiceId,
                                              const char16_t* name) {
    FORWARD(CreateVirtualVoice(editor, bank, outProgram, primaryVoiceId, name));
}
UNEXPECTED(DBM_GetVersionString, char16_t*, int32_t);
FORWARD_EXPORT int32_t DBM_DeleteVirtualVoice(uint32_t editor, int32_t bank, int32_t program) {
    FORWARD(DeleteVirtualVoice(editor, bank, program));
}
UNEXPECTED(DBM_SetVirtualVoiceParameters, uint32_t, int32_t, int32_t, const int32_t*,
           const int32_t*);
UNEXPECTED(DBM_SetVirtualVoiceName, uint32_t, int32_t, int32_t, const char16_t*);
FORWARD_EXPORT int32_t DBM_GetVoiceParameters(const char16_t* voiceId, int32_t* outParams6) {
    FORWARD(GetVoiceParameters(voiceId, outParams6));
}
FORWARD_EXPORT int32_t DBM_GetAllVoice(DbmVoiceList** outList) { FORWARD(GetAllVoice(outList)); }
FORWARD_EXPORT int32_t DBM_BackupAllVirtualVoice() { FORWARD(BackupAllVirtualVoice()); }
FORWARD_EXPORT int32_t DBM_GetVirtualVoiceInfo(int32_t bank, int32_t program,
                                               DBM_VVOICE_INFO* outInfo) {
    FORWARD(GetVirtualVoiceInfo(bank, program, outInfo));
}
FORWARD_EXPORT uint32_t DBM_GetEditor() { return Target() != nullptr ? Target()->GetEditor() : 0; }
FORWARD_EXPORT int32_t DBM_CommitEditor(uint32_t editor) { FORWARD(CommitEditor(editor)); }
FORWARD_EXPORT int32_t DBM_UpdateUserRegistory(uint32_t editor) {
    FORWARD(UpdateUserRegistory(editor));
}
FORWARD_EXPORT int32_t DBM_RollBackEditor(uint32_t editor) { FORWARD(RollBackEditor(editor)); }
FORWARD_EXPORT int32_t DBM_GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) {
    FORWARD(GetDefaultVirtualVoice(outBank, outProgram));
}
FORWARD_EXPORT int32_t DBM_SetDefaultVirtualVoice(uint32_t editor, int32_t bank, int32_t program) {
    FORWARD(SetDefaultVirtualVoice(editor, bank, program));
}
FORWARD_EXPORT int32_t DBM_GetXSynthData(XSynthGroupList* outGroups) {
    FORWARD(GetXSynthData(outGroups));
}
FORWARD_EXPORT int32_t DBM_SetVirtualVoiceInfo(uint32_t editor, const DBM_VVOICE_INFO* info) {
    FORWARD(SetVirtualVoiceInfo(editor, info));
}
UNEXPECTED(DBM_GetVirtualVoiceName, int32_t, int32_t, char16_t*, int32_t);
UNEXPECTED(DBM_GetVirtualVoiceParameters, int32_t, int32_t, int32_t*, int32_t*);
UNEXPECTED(DBM_GetVoice, const char16_t*, DbmVoiceEntry*);
UNEXPECTED(DBM_GetExpDB, void**);
UNEXPECTED(DBM_GetVirtualExpInfo, int32_t, int32_t, void*);
UNEXPECTED(DBM_GetVirtualExpItems, int32_t, int32_t, void*, int32_t*);
UNEXPECTED(DBM_DeleteVirtualExpItems, uint32_t, int32_t, int32_t);
UNEXPECTED(DBM_DeleteVirtualExpInfo, uint32_t, int32_t, int32_t);
UNEXPECTED(DBM_GetLibraryVersion, int32_t*, int32_t*);

CHECK_TYPE(DBM_Init);
CHECK_TYPE(DBM_Delete);
CHECK_TYPE(DBM_CreateVirtualVoice);
CHECK_TYPE(DBM_DeleteVirtualVoice);
CHECK_TYPE(DBM_GetVoiceParameters);
CHECK_TYPE(DBM_GetAllVoice);
CHECK_TYPE(DBM_BackupAllVirtualVoice);
CHECK_TYPE(DBM_GetVirtualVoiceInfo);
CHECK_TYPE(DBM_GetEditor);
CHECK_TYPE(DBM_CommitEditor);
CHECK_TYPE(DBM_UpdateUserRegistory);
CHECK_TYPE(DBM_RollBackEditor);
CHECK_TYPE(DBM_GetDefaultVirtualVoice);
CHECK_TYPE(DBM_SetDefaultVirtualVoice);
CHECK_TYPE(DBM_GetXSynthData);
CHECK_TYPE(DBM_SetVirtualVoiceInfo);
