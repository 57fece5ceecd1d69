// The C boundary: argument checks, then the Database. No exception leaves.
// Checks run in this order: initialized, editor handle, arguments.
#include <memory>
#include <new>
#include <type_traits>

#include "vbank4/database.h"
#include "vbank4/exports.h"
#include "vbank4/results.h"

namespace {

using vbank4::Database;
using vbank4::Pair;

std::unique_ptr<Database> g_database;

template <class Body>
int32_t Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return vbank4::kInternalError;
    }
}

// Runs `body` on the open database, or answers kNotInitialized.
template <class Body>
int32_t WithDatabase(Body&& body) noexcept {
    return Guarded([&]() -> int32_t {
        if (!g_database) return vbank4::kNotInitialized;
        return body(*g_database);
    });
}

// As WithDatabase, for calls that need the open editor's handle.
template <class Body>
int32_t WithEditor(uint32_t editor, Body&& body) noexcept {
    return WithDatabase([&](Database& db) -> int32_t {
        if (!db.IsEditor(editor)) return vbank4::kBadHandle;
        return body(db);
    });
}

}  // namespace

#define VBANK4_CHECK_SIGNATURE(name) \
    static_assert(std::is_same_v<decltype(&(name)), PFN_##name>, #name ": not its PFN type")

VBANK4_API int32_t DBM_CALL DBM_Init(void) {
    return Guarded([]() -> int32_t {
        if (g_database) return vbank4::kAlreadyInitialized;
        const auto folder = vbank4::DataFolder();
        if (!folder) return vbank4::kInitNoDataFolder;
        return Database::Open(*folder, g_database);
    });
}
VBANK4_CHECK_SIGNATURE(DBM_Init);

VBANK4_API int32_t DBM_CALL DBM_Delete(void) {
    return WithDatabase([](Database&) {
        // An open editor ends here without a commit: nothing becomes lasting
        // that was not committed.
        g_database.reset();
        return vbank4::kOk;
    });
}
VBANK4_CHECK_SIGNATURE(DBM_Delete);

VBANK4_API int32_t DBM_CALL DBM_GetAllVoice(DbmVoiceList** outList) {
    return WithDatabase([&](Database& db) {
        if (outList == nullptr) return vbank4::kInvalidArgument;
        *outList = db.VoiceList();
        return vbank4::kOk;
    });
}
VBANK4_CHECK_SIGNATURE(DBM_GetAllVoice);

VBANK4_API int32_t DBM_CALL DBM_GetVoiceParameters(const char16_t* voiceId, int32_t* outParams6) {
    return WithDatabase([&](Database& db) {
        const auto id = vbank4::BoundedText(voiceId, kDbmTextField);
        if (!id || outParams6 == nullptr) return vbank4::kInvalidArgument;
        return db.VoiceParameters(*id, outParams6);
    });
}
VBANK4_CHECK_SIGNATURE(DBM_GetVoiceParameters);

VBANK4_API int32_t DBM_CALL DBM_GetXSynthData(XSynthGroupList* outGroups) {
    return WithDatabase([&](Database& db) {
        if (outGroups == nullptr) return vbank4::kInvalidArgument;
        db.XSynthGroups(*outGroups);
        return vbank4::kOk;
    });
}
VBANK4_CHECK_SIGNATURE(DBM_GetXSynthData);

VBANK4_API int32_t DBM_CALL DBM_GetVirtualVoiceInfo(int32_t bank, int32_t program,
                                                    DBM_VVOICE_INFO* outInfo) {
    return WithDatabase([&](Database& db) {
        if (outInfo == nullptr) return vbank4::kInvalidArgument;
        return db.VirtualVoiceInfo({bank, program}, *outInfo);
    });
}
VBANK4_CHECK_SIGNATURE(DBM_GetVirtualVoiceInfo);

VBANK4_API int32_t DBM_CALL DBM_GetDefaultVirtualVoice(int32_t* outBank, int32_t* outProgram) {
    return WithDatabase([&](Database& db) {
        if (outBank == nullptr || outProgram == nullptr) return vbank4::kInvalidArgument;
        return db.DefaultVirtualVoice(*outBank, *outProgram);
    });
}
VBANK4_CHECK_SIGNATURE(DBM_GetDefaultVirtualVoice);

VBANK4_API int32_t DBM_CALL DBM_BackupAllVirtualVoice(void) {
    return WithDatabase([](Database& db) { return db.Backup(); });
}
VBANK4_CHECK_SIGNATURE(DBM_BackupAllVirtualVoice);

VBANK4_API uint32_t DBM_CALL DBM_GetEditor(void) {
    try {
        return g_database ? g_database->OpenEditor() : 0;
    } catch (...) {
        return 0;
    }
}
VBANK4_CHECK_SIGNATURE(DBM_GetEditor);

VBANK4_API int32_t DBM_CALL DBM_CommitEditor(uint32_t editor) {
    return WithEditor(editor, [&](Database& db) { return db.Commit(editor); });
}
VBANK4_CHECK_SIGNATURE(DBM_CommitEditor);

VBANK4_API int32_t DBM_CALL DBM_UpdateUserRegistory(uint32_t editor) {
    return WithEditor(editor, [&](Database& db) { return db.UpdateUserRegistry(editor); });
}
VBANK4_CHECK_SIGNATURE(DBM_UpdateUserRegistory);

VBANK4_API int32_t DBM_CALL DBM_RollBackEditor(uint32_t editor) {
    return WithEditor(editor, [&](Database& db) { return db.RollBack(editor); });
}
VBANK4_CHECK_SIGNATURE(DBM_RollBackEditor);

VBANK4_API int32_t DBM_CALL DBM_CreateVirtualVoice(uint32_t editor, int32_t bank,
                                                   int32_t* outProgram,
                                                   const char16_t* primaryVoiceId,
                                                   const char16_t* name) {
    return WithEditor(editor, [&](Database& db) {
        const auto id = vbank4::BoundedText(primaryVoiceId, kDbmTextField);
        const auto text = vbank4::BoundedText(name, kDbmTextField);
        if (outProgram == nullptr || !id || !text) return vbank4::kInvalidArgument;
        return db.Create(editor, bank, *outProgram, *id, *text);
    });
}
VBANK4_CHECK_SIGNATURE(DBM_CreateVirtualVoice);

VBANK4_API int32_t DBM_CALL DBM_SetVirtualVoiceInfo(uint32_t editor, const DBM_VVOICE_INFO* info) {
    return WithEditor(editor, [&](Database& db) {
        if (info == nullptr) return vbank4::kInvalidArgument;
        return db.SetInfo(editor, *info);
    });
}
VBANK4_CHECK_SIGNATURE(DBM_SetVirtualVoiceInfo);

VBANK4_API int32_t DBM_CALL DBM_DeleteVirtualVoice(uint32_t editor, int32_t bank, int32_t program) {
    return WithEditor(editor, [&](Database& db) { return db.Delete(editor, {bank, program}); });
}
VBANK4_CHECK_SIGNATURE(DBM_DeleteVirtualVoice);

VBANK4_API int32_t DBM_CALL DBM_SetDefaultVirtualVoice(uint32_t editor, int32_t bank,
                                                       int32_t program) {
    return WithEditor(editor, [&](Database& db) { return db.SetDefault(editor, {bank, program}); });
}
VBANK4_CHECK_SIGNATURE(DBM_SetDefaultVirtualVoice);

// The entry points the module binds but never calls: bound so that the
// module's binding succeeds, and answering kNotSupported whatever they get.
#define VBANK4_NOT_SUPPORTED(name, params)                                    \
    VBANK4_API int32_t DBM_CALL name params { return vbank4::kNotSupported; } \
    VBANK4_CHECK_SIGNATURE(name)

VBANK4_NOT_SUPPORTED(DBM_CopyVirtualVoice, (uint32_t, int32_t, int32_t, int32_t, int32_t*));
VBANK4_NOT_SUPPORTED(DBM_GetVersionString, (char16_t*, int32_t));
VBANK4_NOT_SUPPORTED(DBM_SetVirtualVoiceParameters,
                     (uint32_t, int32_t, int32_t, const int32_t*, const int32_t*));
VBANK4_NOT_SUPPORTED(DBM_SetVirtualVoiceName, (uint32_t, int32_t, int32_t, const char16_t*));
VBANK4_NOT_SUPPORTED(DBM_GetVirtualVoiceName, (int32_t, int32_t, char16_t*, int32_t));
VBANK4_NOT_SUPPORTED(DBM_GetVirtualVoiceParameters, (int32_t, int32_t, int32_t*, int32_t*));
VBANK4_NOT_SUPPORTED(DBM_GetVoice, (const char16_t*, DbmVoiceEntry*));
VBANK4_NOT_SUPPORTED(DBM_GetExpDB, (void**));
VBANK4_NOT_SUPPORTED(DBM_GetVirtualExpInfo, (int32_t, int32_t, void*));
VBANK4_NOT_SUPPORTED(DBM_GetVirtualExpItems, (int32_t, int32_t, void*, int32_t*));
VBANK4_NOT_SUPPORTED(DBM_DeleteVirtualExpItems, (uint32_t, int32_t, int32_t));
VBANK4_NOT_SUPPORTED(DBM_DeleteVirtualExpInfo, (uint32_t, int32_t, int32_t));
VBANK4_NOT_SUPPORTED(DBM_GetLibraryVersion, (int32_t*, int32_t*));
