// A voice database library made for the binding tests. Built several times:
// FAKE_OMIT_ENTRY=n (1..29) leaves entry point n out. Every call is written
// to a log that the test reads through FakeDbm_CallLog; the test sets the
// answers through the other FakeDbm_ functions before the module binds.
#include <stdexcept>
#include <string>
#include <type_traits>

#include "kora4/vbank4.h"

#ifndef FAKE_OMIT_ENTRY
#define FAKE_OMIT_ENTRY 0
#endif
#define KEEP(n) (FAKE_OMIT_ENTRY != (n))
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct State {
    int32_t initResult = 0;
    bool initThrows = false;
    bool deleteThrows = false;
    int32_t defaultBank = 0;
    int32_t defaultProgram = 0;
    int32_t defaultResult = 0;
    std::string log;
};

State& S() {
    static State state;
    return state;
}

void Record(const char* name) {
    S().log += name;
    S().log += ';';
}

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

// The entry points, with the signatures the module calls them by.
#define CHECK_TYPE(name) static_assert(std::is_same_v<decltype(&name), PFN_##name>)

#if KEEP(1)
FAKE_EXPORT int32_t DBM_Init() {
    Record("DBM_Init");
    if (S().initThrows) throw std::runtime_error("DBM_Init");
    return S().initResult;
}
CHECK_TYPE(DBM_Init);
#endif
#if KEEP(2)
FAKE_EXPORT int32_t DBM_Delete() {
    Record("DBM_Delete");
    if (S().deleteThrows) throw std::runtime_error("DBM_Delete");
    return 0;
}
CHECK_TYPE(DBM_Delete);
#endif
#if KEEP(3)
FAKE_EXPORT int32_t DBM_CopyVirtualVoice(uint32_t, int32_t, int32_t, int32_t, int32_t*) {
    Record("DBM_CopyVirtualVoice");
    return 0;
}
CHECK_TYPE(DBM_CopyVirtualVoice);
#endif
#if KEEP(4)
FAKE_EXPORT int32_t DBM_CreateVirtualVoice(uint32_t, int32_t, int32_t*, const char16_t*,
                                           const char16_t*) {
    Record("DBM_CreateVirtualVoice");
    return 0;
}
CHECK_TYPE(DBM_CreateVirtualVoice);
#endif
#if KEEP(5)
FAKE_EXPORT int32_t DBM_GetVersionString(char16_t*, int32_t) {
    Record("DBM_GetVersionString");
    return 0;
}
CHECK_TYPE(DBM_GetVersionString);
#endif
#if KEEP(6)
FAKE_EXPORT int32_t DBM_DeleteVirtualVoice(uint32_t, int32_t, int32_t) {
    Record("DBM_DeleteVirtualVoice");
    return 0;
}
CHECK_TYPE(DBM_DeleteVirtualVoice);
#endif
#if KEEP(7)
FAKE_EXPORT int32_t DBM_SetVirtualVoiceParameters(uint32_t, int32_t, int32_t, const int32_t*,
                                                  const int32_t*) {
    Record("DBM_SetVirtualVoiceParameters");
    return 0;
}
CHECK_TYPE(DBM_SetVirtualVoiceParameters);
#endif
#if KEEP(8)
FAKE_EXPORT int32_t DBM_SetVirtualVoiceName(uint32_t, int32_t, int32_t, const char16_t*) {
    Record("DBM_SetVirtualVoiceName");
    return 0;
}
CHECK_TYPE(DBM_SetVirtualVoiceName);
#endif
#if KEEP(9)
FAKE_EXPORT int32_t DBM_GetVoiceParameters(const char16_t*, int32_t*) {
    Record("DBM_GetVoiceParameters");
    return 0;
}
CHECK_TYPE(DBM_GetVoiceParameters);
#endif
#if KEEP(10)
FAKE_EXPORT int32_t DBM_GetAllVoice(DbmVoiceList**) {
    Record("DBM_GetAllVoice");
    return 0;
}
CHECK_TYPE(DBM_GetAllVoice);
#endif
#if KEEP(11)
FAKE_EXPORT int32_t DBM_BackupAllVirtualVoice() {
    Record("DBM_BackupAllVirtualVoice");
    return 0;
}
CHECK_TYPE(DBM_BackupAllVirtualVoice);
#endif
#if KEEP(12)
FAKE_EXPORT int32_t DBM_GetVirtualVoiceInfo(int32_t, int32_t, DBM_VVOICE_INFO*) {
    Record("DBM_GetVirtualVoiceInfo");
    return 0;
}
CHECK_TYPE(DBM_GetVirtualVoiceInfo);
#endif
#if KEEP(13)
FAKE_EXPORT uint32_t DBM_GetEditor() {
    Record("DBM_GetEditor");
    return 77;
}
CHECK_TYPE(DBM_GetEditor);
#endif
#if KEEP(14)
FAKE_EXPORT int32_t DBM_CommitEditor(uint32_t editor) {
    Record("DBM_CommitEditor");
    return editor == 77 ? 0 : 9;
}
CHECK_TYPE(DBM_CommitEditor);
#endif
#if KEEP(15)
FAKE_EXPORT int32_t DBM_UpdateUserRegistory(uint32_t) {
    Record("DBM_UpdateUserRegistory");
    return 0;
}
CHECK_TYPE(DBM_UpdateUserRegistory);
#endif
#if KEEP(16)
FAKE_EXPORT int32_t DBM_RollBackEditor(uint32_t) {
    Record("DBM_RollBackEditor");
    return 0;
}
CHECK_TYPE(DBM_RollBackEditor);
#endif
#if KEEP(17)
FAKE_EXPORT int32_t DBM_GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) {
    Record("DBM_GetDefaultVirtualVoice");
    *outBank = S().defaultBank;
    *outProgram = S().defaultProgram;
    return S().defaultResult;
}
CHECK_TYPE(DBM_GetDefaultVirtualVoice);
#endif
#if KEEP(18)
FAKE_EXPORT int32_t DBM_SetDefaultVirtualVoice(uint32_t, int32_t, int32_t) {
    Record("DBM_SetDefaultVirtualVoice");
    return 0;
}
CHECK_TYPE(DBM_SetDefaultVirtualVoice);
#endif
#if KEEP(19)
FAKE_EXPORT int32_t DBM_GetXSynthData(XSynthGroupList*) {
    Record("DBM_GetXSynthData");
    return 0;
}
CHECK_TYPE(DBM_GetXSynthData);
#endif
#if KEEP(20)
FAKE_EXPORT int32_t DBM_SetVirtualVoiceInfo(uint32_t, const DBM_VVOICE_INFO*) {
    Record("DBM_SetVirtualVoiceInfo");
    return 0;
}
CHECK_TYPE(DBM_SetVirtualVoiceInfo);
#endif
#if KEEP(21)
FAKE_EXPORT int32_t DBM_GetVirtualVoiceName(int32_t, int32_t, char16_t*, int32_t) {
    Record("DBM_GetVirtualVoiceName");
    return 0;
}
CHECK_TYPE(DBM_GetVirtualVoiceName);
#endif
#if KEEP(22)
FAKE_EXPORT int32_t DBM_GetVirtualVoiceParameters(int32_t, int32_t, int32_t*, int32_t*) {
    Record("DBM_GetVirtualVoiceParameters");
    return 0;
}
CHECK_TYPE(DBM_GetVirtualVoiceParameters);
#endif
#if KEEP(23)
FAKE_EXPORT int32_t DBM_GetVoice(const char16_t*, DbmVoiceEntry*) {
    Record("DBM_GetVoice");
    return 0;
}
CHECK_TYPE(DBM_GetVoice);
#endif
#if KEEP(24)
FAKE_EXPORT int32_t DBM_GetExpDB(void**) {
    Record("DBM_GetExpDB");
    return 0;
}
CHECK_TYPE(DBM_GetExpDB);
#endif
#if KEEP(25)
FAKE_EXPORT int32_t DBM_GetVirtualExpInfo(int32_t, int32_t, void*) {
    Record("DBM_GetVirtualExpInfo");
    return 0;
}
CHECK_TYPE(DBM_GetVirtualExpInfo);
#endif
#if KEEP(26)
FAKE_EXPORT int32_t DBM_GetVirtualExpItems(int32_t, int32_t, void*, int32_t*) {
    Record("DBM_GetVirtualExpItems");
    return 0;
}
CHECK_TYPE(DBM_GetVirtualExpItems);
#endif
#if KEEP(27)
FAKE_EXPORT int32_t DBM_DeleteVirtualExpItems(uint32_t, int32_t, int32_t) {
    Record("DBM_DeleteVirtualExpItems");
    return 0;
}
CHECK_TYPE(DBM_DeleteVirtualExpItems);
#endif
#if KEEP(28)
FAKE_EXPORT int32_t DBM_DeleteVirtualExpInfo(uint32_t, int32_t, int32_t) {
    Record("DBM_DeleteVirtualExpInfo");
    return 0;
}
CHECK_TYPE(DBM_DeleteVirtualExpInfo);
#endif
#if KEEP(29)
FAKE_EXPORT int32_t DBM_GetLibraryVersion(int32_t*, int32_t*) {
    Record("DBM_GetLibraryVersion");
    return 0;
}
CHECK_TYPE(DBM_GetLibraryVersion);
#endif
