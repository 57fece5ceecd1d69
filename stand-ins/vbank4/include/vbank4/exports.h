// The 29 entry points of vbank4, declared for code that links the library's
// objects directly (its tests). Each definition is checked against the
// PFN_DBM_* type the module binds it with.
#pragma once

#include "kora4/vbank4.h"

#if defined(_WIN32)
#define VBANK4_API extern "C"  // exported by vbank4.def, undecorated
#else
#define VBANK4_API extern "C" __attribute__((visibility("default")))
#endif

// clang-format off
VBANK4_API int32_t DBM_CALL DBM_Init(void);
VBANK4_API int32_t DBM_CALL DBM_Delete(void);
VBANK4_API int32_t DBM_CALL DBM_CopyVirtualVoice(uint32_t editor, int32_t bank, int32_t program, int32_t dstBank, int32_t* dstProgram);
VBANK4_API int32_t DBM_CALL DBM_CreateVirtualVoice(uint32_t editor, int32_t bank, int32_t* outProgram, const char16_t* primaryVoiceId, const char16_t* name);
VBANK4_API int32_t DBM_CALL DBM_GetVersionString(char16_t* buffer, int32_t units);
VBANK4_API int32_t DBM_CALL DBM_DeleteVirtualVoice(uint32_t editor, int32_t bank, int32_t program);
VBANK4_API int32_t DBM_CALL DBM_SetVirtualVoiceParameters(uint32_t editor, int32_t bank, int32_t program, const int32_t* primary5, const int32_t* secondary6);
VBANK4_API int32_t DBM_CALL DBM_SetVirtualVoiceName(uint32_t editor, int32_t bank, int32_t program, const char16_t* name);
VBANK4_API int32_t DBM_CALL DBM_GetVoiceParameters(const char16_t* voiceId, int32_t* outParams6);
VBANK4_API int32_t DBM_CALL DBM_GetAllVoice(DbmVoiceList** outList);
VBANK4_API int32_t DBM_CALL DBM_BackupAllVirtualVoice(void);
VBANK4_API int32_t DBM_CALL DBM_GetVirtualVoiceInfo(int32_t bank, int32_t program, DBM_VVOICE_INFO* outInfo);
VBANK4_API uint32_t DBM_CALL DBM_GetEditor(void);
VBANK4_API int32_t DBM_CALL DBM_CommitEditor(uint32_t editor);
VBANK4_API int32_t DBM_CALL DBM_UpdateUserRegistory(uint32_t editor);
VBANK4_API int32_t DBM_CALL DBM_RollBackEditor(uint32_t editor);
VBANK4_API int32_t DBM_CALL DBM_GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram);
VBANK4_API int32_t DBM_CALL DBM_SetDefaultVirtualVoice(uint32_t editor, int32_t bank, int32_t program);
VBANK4_API int32_t DBM_CALL DBM_GetXSynthData(XSynthGroupList* outGroups);
VBANK4_API int32_t DBM_CALL DBM_SetVirtualVoiceInfo(uint32_t editor, const DBM_VVOICE_INFO* info);
VBANK4_API int32_t DBM_CALL DBM_GetVirtualVoiceName(int32_t bank, int32_t program, char16_t* buffer, int32_t units);
VBANK4_API int32_t DBM_CALL DBM_GetVirtualVoiceParameters(int32_t bank, int32_t program, int32_t* outPrimary5, int32_t* outSecondary6);
VBANK4_API int32_t DBM_CALL DBM_GetVoice(const char16_t* voiceId, DbmVoiceEntry* outEntry);
VBANK4_API int32_t DBM_CALL DBM_GetExpDB(void** outDatabase);
VBANK4_API int32_t DBM_CALL DBM_GetVirtualExpInfo(int32_t bank, int32_t program, void* outInfo);
VBANK4_API int32_t DBM_CALL DBM_GetVirtualExpItems(int32_t bank, int32_t program, void* outItems, int32_t* inOutCount);
VBANK4_API int32_t DBM_CALL DBM_DeleteVirtualExpItems(uint32_t editor, int32_t bank, int32_t program);
VBANK4_API int32_t DBM_CALL DBM_DeleteVirtualExpInfo(uint32_t editor, int32_t bank, int32_t program);
VBANK4_API int32_t DBM_CALL DBM_GetLibraryVersion(int32_t* outMajor, int32_t* outMinor);
// clang-format on
