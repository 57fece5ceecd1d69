#include "editor/load_steps.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "api/module_context.h"
#include "kora4/kora4.h"
#include "kora4/trak4.h"
#include "model/conversions.h"
#include "model/singer_order.h"

namespace kora::editor {
namespace {

using api::CallDbm;
using api::DbmEntry;
using api::DbmSucceeded;

// Number of entries before the one without a name, reading no further than
// the one the count promises as the end: a list whose count and end disagree
// is reported as not consistent without being read past its end.
bool HasConsistentLength(const DbmVoiceList& list) {
    if (list.count < 0) return false;
    if (list.entries == nullptr) return list.count == 0;
    for (int32_t i = 0; i < list.count; ++i) {
        if (list.entries[i].name == nullptr) return false;
    }
    return list.entries[list.count].name == nullptr;
}

// Whether a null-terminated text has exactly `length` units, reading at most
// one unit past that length.
bool HasLength(const char16_t* text, std::size_t length) {
    if (text == nullptr) return length == 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == u'\0') return false;
    }
    return text[length] == u'\0';
}

bool IsParamInRange(int32_t value) { return value >= -kParamLimit && value <= kParamLimit; }

uint32_t LoadInstalledVoice(EditorSession& session, const DbmVoiceEntry& entry) {
    if (entry.name[0] == u'\0') return kora4::kVoiceListInconsistent;
    if (entry.bank < 0 || entry.bank >= kPairLimit) return kora4::kVoiceListInconsistent;
    if (!HasLength(entry.voiceId, kVoiceIdLength)) return kora4::kVoiceListInconsistent;

    int32_t params[6] = {};
    if (!DbmSucceeded(
            CallDbm<DbmEntry::GetVoiceParameters>(session.context, entry.voiceId, params))) {
        return kora4::kDatabaseFailed;
    }
    InstalledVoice voice;
    voice.bank = entry.bank;
    voice.name = entry.name;
    for (std::size_t i = 0; i < voice.defaults.size(); ++i) {
        if (!IsParamInRange(params[i])) return kora4::kDatabaseFailed;
        voice.defaults[i] = params[i];
    }
    voice.voiceId = entry.voiceId;
    session.installedVoices.push_back(std::move(voice));
    return kora4::kOk;
}

}  // namespace

uint32_t LoadInstalledVoices(EditorSession& session) {
    DbmVoiceList* list = nullptr;
    if (!DbmSucceeded(CallDbm<DbmEntry::GetAllVoice>(session.context, &list))) {
        return kora4::kDatabaseFailed;
    }
    // A success without a list is as malformed as a list that disagrees
    // with its own count.
    if (list == nullptr || !HasConsistentLength(*list)) return kora4::kVoiceListInconsistent;
    session.dbmVoiceList = list;
    for (int32_t i = 0; i < list->count; ++i) {
        if (const uint32_t status = LoadInstalledVoice(session, list->entries[i]);
            status != kora4::kOk) {
            return status;
        }
    }
    return kora4::kOk;
}

uint32_t LoadActiveSingers(EditorSession& session) {
    std::vector<SingerEntry> loaded;
    for (int32_t bank = 0; bank < kPairLimit; ++bank) {
        for (int32_t program = 0; program < kPairLimit; ++program) {
            const IAxVVoice* voice = session.trakManager->vvoiceGetVVoice(bank, program);
            if (voice == nullptr) continue;
            std::optional<SingerEntry> singer = SingerFromVVoice(*voice, session.installedVoices);
            // Without its primary voice installed the voice is neither shown
            // nor ever touched; a voice that names a pair outside the pair
            // space could not be kept apart from the others either.
            if (!singer || !IsValidPair(singer->bank, singer->program)) continue;
            loaded.push_back(std::move(*singer));
        }
    }
    SortSingers(loaded);
    for (const SingerEntry& singer : loaded) {
        session.activeInUse.Set(singer.bank, singer.program);
        session.activeAtLoad.Set(singer.bank, singer.program);
    }
    session.activeAtOpen = loaded;
    session.activeSingers = std::move(loaded);
    return kora4::kOk;
}

uint32_t LoadMySingers(EditorSession& session) {
    MySingerLoadFailure failure;
    return LoadMySingersWithFailure(session, failure);
}

uint32_t LoadMySingersWithFailure(EditorSession& session, MySingerLoadFailure& failure) {
    std::vector<SingerEntry> loaded;
    for (int32_t bank = 0; bank < kPairLimit; ++bank) {
        for (int32_t program = 0; program < kPairLimit; ++program) {
            DBM_VVOICE_INFO info;
            std::memset(&info, 0, sizeof info);
            const std::optional<int32_t> result =
                CallDbm<DbmEntry::GetVirtualVoiceInfo>(session.context, bank, program, &info);
            if (result == kDbmNoVirtualVoice) continue;
            if (!DbmSucceeded(result)) {
                failure = {bank, program, result};
                return kora4::kDatabaseFailed;
            }
            loaded.push_back(SingerFromDbmInfo(info, session.installedVoices));
        }
    }
    SortSingers(loaded);
    session.mySingers = std::move(loaded);
    return kora4::kOk;
}

uint32_t BackupDatabase(EditorSession& session) {
    return DbmSucceeded(CallDbm<DbmEntry::BackupAllVirtualVoice>(session.context))
               ? kora4::kOk
               : kora4::kDatabaseFailed;
}

uint32_t TakeEditor(EditorSession& session) {
    const std::optional<uint32_t> handle = CallDbm<DbmEntry::GetEditor>(session.context);
    if (!handle.has_value() || *handle == 0) return kora4::kDatabaseFailed;
    session.editorHandle = *handle;
    return kora4::kOk;
}

uint32_t RollBackDatabase(EditorSession& session) {
    return DbmSucceeded(CallDbm<DbmEntry::RollBackEditor>(session.context, session.editorHandle))
               ? kora4::kOk
               : kora4::kDatabaseFailed;
}

}  // namespace kora::editor
