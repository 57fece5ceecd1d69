// A voice database library for the binding tests that logs every call. Built
// several times: -DDBM_X=Omitted_DBM_X renames entry point DBM_X away.
#include <stdexcept>
#include <string>
#include <type_traits>

#include "kora4/vbank4.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
// Each entry point has the signature the module calls it by.
#define CHECK_TYPE(name) static_assert(std::is_same_v<decltype(&name), PFN_##name>)
// An entry point that only logs its call and succeeds.
#define LOGGED(name, ...)                   \
    FAKE_EXPORT int32_t name(__VA_ARGS__) { \
        Record(#name);                      \
        return 0;                           \
    }                                       \
    static_assert(std::is_same_v<decltype(&name), PFN_##name>)

namespace {

struct State {
    int32_t initResult = 0, defaultBank = 0, defaultProgram = 0, defaultResult = 0;
    bool initThrows = false, deleteThrows = false;
    std::string log;
};

State& S() {
    static State state;
    return state;
}

void Record(const char* name) { S().log += std::string(name) + ';'; }

}  // namespace

FAKE_EXPORT void FakeDbm_Reset(int32_t initResult) {
    S() = State{};
    S().initResult = initResult;
}
FAKE_EXPORT const char* FakeDbm_CallLog() { return S().log.c_str(); }
FAKE_EXPORT void FakeDbm_SetDefaultVirtualVoice(int32_t bank, int32_t program, int32_t result) {
    S().defaultBank = bank;
    S().defaultProgram = program;
    S().defaultResult = result;
}
FAKE_EXPORT void FakeDbm_SetThrowing(int32_t init, int32_t del) {
    S().initThrows = init != 0;
    S().deleteThrows = del != 0;
}

FAKE_EXPORT int32_t DBM_Init() {
    Record("DBM_Init");
    if (S().initThrows) throw std::runtime_error("DBM_Init");
    return S().initResult;
}
CHECK_TYPE(DBM_Init);
FAKE_EXPORT int32_t DBM_Delete() {
    Record("DBM_Delete");
    if (S().deleteThrows) throw std::runtime_error("DBM_Delete");
    return 0;
}
CHECK_TYPE(DBM_Delete);
FAKE_EXPORT uint32_t DBM_GetEditor() {
    Record("DBM_GetEditor");
    return 77;
}
CHECK_TYPE(DBM_GetEditor);
FAKE_EXPORT int32_t DBM_GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) {
    Record("DBM_GetDefaultVirtualVoice");
    *outBank = S().defaultBank;
    *outProgram = S().defaultProgram;
    return S().defaultResult;
}
CHECK_TYPE(DBM_GetDefaultVirtualVoice);

LOGGED(DBM_CopyVirtualVoice, uint32_t, int32_t, int32_t, int32_t, int32_t*);
LOGGED(DBM_CreateVirtualVoice, uint32_t, int32_t, int32_t*, const char16_t*, const char16_t*);
LOGGED(DBM_SetVirtualVoiceParameters, uint32_t, int32_t, int32_t, const int32_t*, const int32_t*);
LOGGED(DBM_GetVersionString, char16_t*, int32_t);
LOGGED(DBM_DeleteVirtualVoice, uint32_t, int32_t, int32_t);
LOGGED(DBM_SetVirtualVoiceName, uint32_t, int32_t, int32_t, const char16_t*);
LOGGED(DBM_GetVoiceParameters, const char16_t*, int32_t*);
LOGGED(DBM_GetAllVoice, DbmVoiceList**);
LOGGED(DBM_BackupAllVirtualVoice, void);
LOGGED(DBM_GetVirtualVoiceInfo, int32_t, int32_t, DBM_VVOICE_INFO*);
LOGGED(DBM_CommitEditor, uint32_t);
LOGGED(DBM_UpdateUserRegistory, uint32_t);
LOGGED(DBM_RollBackEditor, uint32_t);
LOGGED(DBM_SetDefaultVirtualVoice, uint32_t, int32_t, int32_t);
LOGGED(DBM_GetXSynthData, XSynthGroupList*);
LOGGED(DBM_SetVirtualVoiceInfo, uint32_t, const DBM_VVOICE_INFO*);
LOGGED(DBM_GetVirtualVoiceName, int32_t, int32_t, char16_t*, int32_t);
LOGGED(DBM_GetVirtualVoiceParameters, int32_t, int32_t, int32_t*, int32_t*);
LOGGED(DBM_GetVoice, const char16_t*, DbmVoiceEntry*);
LOGGED(DBM_GetExpDB, void**);
LOGGED(DBM_GetVirtualExpInfo, int32_t, int32_t, void*);
LOGGED(DBM_GetVirtualExpItems, int32_t, int32_t, void*, int32_t*);
LOGGED(DBM_DeleteVirtualExpItems, uint32_t, int32_t, int32_t);
LOGGED(DBM_DeleteVirtualExpInfo, uint32_t, int32_t, int32_t);
LOGGED(DBM_GetLibraryVersion, int32_t*, int32_t*);
