// The 29 entry points of the voice database library as a typed index, in
// the order in which they are looked up.
#pragma once

#include <string_view>

#include "kora4/vbank4.h"

namespace kora::api {

enum class DbmEntry : int {
    Init,
    Delete,
    CopyVirtualVoice,
    CreateVirtualVoice,
    GetVersionString,
    DeleteVirtualVoice,
    SetVirtualVoiceParameters,
    SetVirtualVoiceName,
    GetVoiceParameters,
    GetAllVoice,
    BackupAllVirtualVoice,
    GetVirtualVoiceInfo,
    GetEditor,
    CommitEditor,
    UpdateUserRegistory,
    RollBackEditor,
    GetDefaultVirtualVoice,
    SetDefaultVirtualVoice,
    GetXSynthData,
    SetVirtualVoiceInfo,
    GetVirtualVoiceName,
    GetVirtualVoiceParameters,
    GetVoice,
    GetExpDB,
    GetVirtualExpInfo,
    GetVirtualExpItems,
    DeleteVirtualExpItems,
    DeleteVirtualExpInfo,
    GetLibraryVersion,
};

constexpr int Index(DbmEntry e) { return static_cast<int>(e); }
static_assert(Index(DbmEntry::GetLibraryVersion) + 1 == kDbmEntryPointCount);

// The function pointer type of each entry point.
template <DbmEntry E>
struct DbmEntryTraits;

// Ties each enumerator to its type and checks it against the name table.
#define KORA_DBM_ENTRY(entry)                \
    template <>                              \
    struct DbmEntryTraits<DbmEntry::entry> { \
        using Fn = PFN_DBM_##entry;          \
    };                                       \
    static_assert(std::string_view(kDbmEntryPointNames[Index(DbmEntry::entry)]) == "DBM_" #entry)

KORA_DBM_ENTRY(Init);
KORA_DBM_ENTRY(Delete);
KORA_DBM_ENTRY(CopyVirtualVoice);
KORA_DBM_ENTRY(CreateVirtualVoice);
KORA_DBM_ENTRY(GetVersionString);
KORA_DBM_ENTRY(DeleteVirtualVoice);
KORA_DBM_ENTRY(SetVirtualVoiceParameters);
KORA_DBM_ENTRY(SetVirtualVoiceName);
KORA_DBM_ENTRY(GetVoiceParameters);
KORA_DBM_ENTRY(GetAllVoice);
KORA_DBM_ENTRY(BackupAllVirtualVoice);
KORA_DBM_ENTRY(GetVirtualVoiceInfo);
KORA_DBM_ENTRY(GetEditor);
KORA_DBM_ENTRY(CommitEditor);
KORA_DBM_ENTRY(UpdateUserRegistory);
KORA_DBM_ENTRY(RollBackEditor);
KORA_DBM_ENTRY(GetDefaultVirtualVoice);
KORA_DBM_ENTRY(SetDefaultVirtualVoice);
KORA_DBM_ENTRY(GetXSynthData);
KORA_DBM_ENTRY(SetVirtualVoiceInfo);
KORA_DBM_ENTRY(GetVirtualVoiceName);
KORA_DBM_ENTRY(GetVirtualVoiceParameters);
KORA_DBM_ENTRY(GetVoice);
KORA_DBM_ENTRY(GetExpDB);
KORA_DBM_ENTRY(GetVirtualExpInfo);
KORA_DBM_ENTRY(GetVirtualExpItems);
KORA_DBM_ENTRY(DeleteVirtualExpItems);
KORA_DBM_ENTRY(DeleteVirtualExpInfo);
KORA_DBM_ENTRY(GetLibraryVersion);

#undef KORA_DBM_ENTRY

template <DbmEntry E>
using DbmEntryFn = typename DbmEntryTraits<E>::Fn;

}  // namespace kora::api
