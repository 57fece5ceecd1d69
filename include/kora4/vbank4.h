// ABI of the voice database library vbank4.dll, as the module binds it.
//
// All entry points are cdecl and return a signed 32-bit result, 0 for
// success, except DBM_GetEditor, which returns an editing handle (0 = failure).
// Texts are null-terminated UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#if defined(_WIN32)
#define DBM_CALL __cdecl
#else
#define DBM_CALL
#endif

// Units of every text field of DBM_VVOICE_INFO, terminator included.
inline constexpr std::size_t kDbmTextField = 260;

// A virtual voice as the database stores it. 2132 bytes, little-endian.
struct DBM_VVOICE_INFO {
    int32_t bank;
    int32_t program;
    int32_t primaryParams[5];             // BRE, BRI, CLE, GEN, AUX
    char16_t primaryName[kDbmTextField];  // display name of the primary voice
    char16_t name[kDbmTextField];         // the singer's name
    char16_t primaryVoiceId[kDbmTextField];
    char16_t secondaryVoiceId[kDbmTextField];  // empty: no secondary singer
    int32_t secondaryParams[6];                // BRE, BRI, CLE, GEN, AUX, VOL
};

static_assert(sizeof(char16_t) == 2);
static_assert(sizeof(DBM_VVOICE_INFO) == 2132);
static_assert(offsetof(DBM_VVOICE_INFO, bank) == 0);
static_assert(offsetof(DBM_VVOICE_INFO, program) == 4);
static_assert(offsetof(DBM_VVOICE_INFO, primaryParams) == 8);
static_assert(offsetof(DBM_VVOICE_INFO, primaryName) == 28);
static_assert(offsetof(DBM_VVOICE_INFO, name) == 548);
static_assert(offsetof(DBM_VVOICE_INFO, primaryVoiceId) == 1068);
static_assert(offsetof(DBM_VVOICE_INFO, secondaryVoiceId) == 1588);
static_assert(offsetof(DBM_VVOICE_INFO, secondaryParams) == 2108);

// One installed voice as DBM_GetAllVoice lists it; texts owned by the library.
struct DbmVoiceEntry {
    const char16_t* extra;  // opaque to the module, only copied
    const char16_t* voiceId;
    const char16_t* name;  // display name; null ends the array
    int32_t bank;
};

// The installed voices: `count` entries, then one whose name is null.
struct DbmVoiceList {
    int32_t count;
    DbmVoiceEntry* entries;
};

// A cross-synthesis group. DBM_GetXSynthData fills a vector of these in
// place, so both sides must share the standard library's layout.
struct XSynthGroup {
    std::u16string name;
    std::vector<std::u16string> memberIds;
};
using XSynthGroupList = std::vector<XSynthGroup>;

// Results the module tests for by value.
inline constexpr int32_t kDbmNoVirtualVoice = static_cast<int32_t>(0x830A5004);

// The 29 entry points, in the order in which the module looks them up.
using PFN_DBM_Init = int32_t(DBM_CALL*)(void);
using PFN_DBM_Delete = int32_t(DBM_CALL*)(void);
using PFN_DBM_CopyVirtualVoice = int32_t(DBM_CALL*)(uint32_t editor, int32_t bank, int32_t program,
                                                    int32_t dstBank, int32_t* dstProgram);
using PFN_DBM_CreateVirtualVoice = int32_t(DBM_CALL*)(uint32_t editor, int32_t bank,
                                                      int32_t* outProgram,
                                                      const char16_t* primaryVoiceId,
                                                      const char16_t* name);
using PFN_DBM_GetVersionString = int32_t(DBM_CALL*)(char16_t* buffer, int32_t units);
using PFN_DBM_DeleteVirtualVoice = int32_t(DBM_CALL*)(uint32_t editor, int32_t bank,
                                                      int32_t program);
using PFN_DBM_SetVirtualVoiceParameters = int32_t(DBM_CALL*)(uint32_t editor, int32_t bank,
                                                             int32_t program,
                                                             const int32_t* primary5,
                                                             const int32_t* secondary6);
using PFN_DBM_SetVirtualVoiceName = int32_t(DBM_CALL*)(uint32_t editor, int32_t bank,
                                                       int32_t program, const char16_t* name);
using PFN_DBM_GetVoiceParameters = int32_t(DBM_CALL*)(const char16_t* voiceId, int32_t* outParams6);
using PFN_DBM_GetAllVoice = int32_t(DBM_CALL*)(DbmVoiceList** outList);
using PFN_DBM_BackupAllVirtualVoice = int32_t(DBM_CALL*)(void);
using PFN_DBM_GetVirtualVoiceInfo = int32_t(DBM_CALL*)(int32_t bank, int32_t program,
                                                       DBM_VVOICE_INFO* outInfo);
using PFN_DBM_GetEditor = uint32_t(DBM_CALL*)(void);
using PFN_DBM_CommitEditor = int32_t(DBM_CALL*)(uint32_t editor);
using PFN_DBM_UpdateUserRegistory = int32_t(DBM_CALL*)(uint32_t editor);
using PFN_DBM_RollBackEditor = int32_t(DBM_CALL*)(uint32_t editor);
using PFN_DBM_GetDefaultVirtualVoice = int32_t(DBM_CALL*)(int32_t* outBank, int32_t* outProgram);
using PFN_DBM_SetDefaultVirtualVoice = int32_t(DBM_CALL*)(uint32_t editor, int32_t bank,
                                                          int32_t program);
using PFN_DBM_GetXSynthData = int32_t(DBM_CALL*)(XSynthGroupList* outGroups);
using PFN_DBM_SetVirtualVoiceInfo = int32_t(DBM_CALL*)(uint32_t editor,
                                                       const DBM_VVOICE_INFO* info);
using PFN_DBM_GetVirtualVoiceName = int32_t(DBM_CALL*)(int32_t bank, int32_t program,
                                                       char16_t* buffer, int32_t units);
using PFN_DBM_GetVirtualVoiceParameters = int32_t(DBM_CALL*)(int32_t bank, int32_t program,
                                                             int32_t* outPrimary5,
                                                             int32_t* outSecondary6);
using PFN_DBM_GetVoice = int32_t(DBM_CALL*)(const char16_t* voiceId, DbmVoiceEntry* outEntry);
using PFN_DBM_GetExpDB = int32_t(DBM_CALL*)(void** outDatabase);
using PFN_DBM_GetVirtualExpInfo = int32_t(DBM_CALL*)(int32_t bank, int32_t program, void* outInfo);
using PFN_DBM_GetVirtualExpItems = int32_t(DBM_CALL*)(int32_t bank, int32_t program, void* outItems,
                                                      int32_t* inOutCount);
using PFN_DBM_DeleteVirtualExpItems = int32_t(DBM_CALL*)(uint32_t editor, int32_t bank,
                                                         int32_t program);
using PFN_DBM_DeleteVirtualExpInfo = int32_t(DBM_CALL*)(uint32_t editor, int32_t bank,
                                                        int32_t program);
using PFN_DBM_GetLibraryVersion = int32_t(DBM_CALL*)(int32_t* outMajor, int32_t* outMinor);

inline constexpr int kDbmEntryPointCount = 29;
inline constexpr const char* kDbmEntryPointNames[kDbmEntryPointCount] = {
    "DBM_Init",
    "DBM_Delete",
    "DBM_CopyVirtualVoice",
    "DBM_CreateVirtualVoice",
    "DBM_GetVersionString",
    "DBM_DeleteVirtualVoice",
    "DBM_SetVirtualVoiceParameters",
    "DBM_SetVirtualVoiceName",
    "DBM_GetVoiceParameters",
    "DBM_GetAllVoice",
    "DBM_BackupAllVirtualVoice",
    "DBM_GetVirtualVoiceInfo",
    "DBM_GetEditor",
    "DBM_CommitEditor",
    "DBM_UpdateUserRegistory",
    "DBM_RollBackEditor",
    "DBM_GetDefaultVirtualVoice",
    "DBM_SetDefaultVirtualVoice",
    "DBM_GetXSynthData",
    "DBM_SetVirtualVoiceInfo",
    "DBM_GetVirtualVoiceName",
    "DBM_GetVirtualVoiceParameters",
    "DBM_GetVoice",
    "DBM_GetExpDB",
    "DBM_GetVirtualExpInfo",
    "DBM_GetVirtualExpItems",
    "DBM_DeleteVirtualExpItems",
    "DBM_DeleteVirtualExpInfo",
    "DBM_GetLibraryVersion",
};

// File name under which the module loads the library.
#if defined(_WIN32)
inline constexpr const wchar_t* kDbmLibraryName = L"vbank4.dll";
#else
inline constexpr const char* kDbmLibraryName = "libvbank4.so";
#endif
