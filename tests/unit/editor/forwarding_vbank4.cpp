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
// An entry point the module calls, with the signature it calls it by.
#define FORWARDED(name, parameters, call)                     \
    FORWARD_EXPORT int32_t name parameters { FORWARD(call); } \
    CHECK_TYPE(name)
// An entry point the module binds but never calls.
#define UNEXPECTED(name, ...)                                                \
    FORWARD_EXPORT int32_t name(__VA_ARGS__) { FORWARD(Unexpected(#name)); } \
    CHECK_TYPE(name)

FORWARDED(DBM_Init, (), Init());
FORWARDED(DBM_Delete, (), Delete());
FORWARDED(DBM_CreateVirtualVoice,
          (uint32_t e, int32_t bank, int32_t* outProgram, const char16_t* id, const char16_t* name),
          CreateVirtualVoice(e, bank, outProgram, id, name));
FORWARDED(DBM_DeleteVirtualVoice, (uint32_t e, int32_t bank, int32_t program),
          DeleteVirtualVoice(e, bank, program));
FORWARDED(DBM_GetVoiceParameters, (const char16_t* id, int32_t* out), GetVoiceParameters(id, out));
FORWARDED(DBM_BackupAllVirtualVoice, (), BackupAllVirtualVoice());
FORWARDED(DBM_GetVirtualVoiceInfo, (int32_t bank, int32_t program, DBM_VVOICE_INFO* out),
          GetVirtualVoiceInfo(bank, program, out));
FORWARDED(DBM_CommitEditor, (uint32_t e), CommitEditor(e));
FORWARDED(DBM_UpdateUserRegistory, (uint32_t e), UpdateUserRegistory(e));
FORWARDED(DBM_RollBackEditor, (uint32_t e), RollBackEditor(e));
FORWARDED(DBM_SetDefaultVirtualVoice, (uint32_t e, int32_t bank, int32_t program),
          SetDefaultVirtualVoice(e, bank, program));
FORWARDED(DBM_SetVirtualVoiceInfo, (uint32_t e, const DBM_VVOICE_INFO* info),
          SetVirtualVoiceInfo(e, info));
// Their pointer parameters in a macro argument would read as products.
FORWARD_EXPORT int32_t DBM_GetAllVoice(DbmVoiceList** outList) { FORWARD(GetAllVoice(outList)); }
FORWARD_EXPORT int32_t DBM_GetDefaultVirtualVoice(int32_t* bank, int32_t* program) {
    FORWARD(GetDefaultVirtualVoice(bank, program));
}
FORWARD_EXPORT int32_t DBM_GetXSynthData(XSynthGroupList* out) { FORWARD(GetXSynthData(out)); }
FORWARD_EXPORT uint32_t DBM_GetEditor() { return Target() != nullptr ? Target()->GetEditor() : 0; }
CHECK_TYPE(DBM_GetAllVoice);
CHECK_TYPE(DBM_GetDefaultVirtualVoice);
CHECK_TYPE(DBM_GetXSynthData);
CHECK_TYPE(DBM_GetEditor);

UNEXPECTED(DBM_CopyVirtualVoice, uint32_t, int32_t, int32_t, int32_t, int32_t*);
UNEXPECTED(DBM_GetVersionString, char16_t*, int32_t);
UNEXPECTED(DBM_SetVirtualVoiceParameters, uint32_t, int32_t, int32_t, const int32_t*,
           const int32_t*);
UNEXPECTED(DBM_SetVirtualVoiceName, uint32_t, int32_t, int32_t, const char16_t*);
UNEXPECTED(DBM_GetVirtualVoiceName, int32_t, int32_t, char16_t*, int32_t);
UNEXPECTED(DBM_GetVirtualVoiceParameters, int32_t, int32_t, int32_t*, int32_t*);
UNEXPECTED(DBM_GetVoice, const char16_t*, DbmVoiceEntry*);
UNEXPECTED(DBM_GetExpDB, void**);
UNEXPECTED(DBM_GetVirtualExpInfo, int32_t, int32_t, void*);
UNEXPECTED(DBM_GetVirtualExpItems, int32_t, int32_t, void*, int32_t*);
UNEXPECTED(DBM_DeleteVirtualExpItems, uint32_t, int32_t, int32_t);
UNEXPECTED(DBM_DeleteVirtualExpInfo, uint32_t, int32_t, int32_t);
UNEXPECTED(DBM_GetLibraryVersion, int32_t*, int32_t*);
