#include "editor/apply_steps.h"

#include <cstddef>
#include <vector>

#include "api/module_context.h"
#include "kora4/kora4.h"
#include "kora4/trak4.h"
#include "model/conversions.h"

namespace kora::editor {
namespace {

using api::CallDbm;
using api::DbmEntry;
using api::DbmSucceeded;

int32_t Insert(CAxTrakManagerIF& trak, const SingerEntry& singer) {
    const SingerParams params = ParamsOf(singer);
    return trak.vvoiceInsertVVoiceV4(singer.bank, singer.program, singer.primaryId.c_str(),
                                     singer.secondaryId.c_str(), singer.name.c_str(),
                                     params.primary, params.secondary);
}

// Updates the voice at `singer`'s pair with the singer's name, secondary
// voice and parameters; the primary voice stays.
int32_t Update(CAxTrakManagerIF& trak, const SingerEntry& singer) {
    const SingerParams params = ParamsOf(singer);
    return trak.vvoiceUpdateVVoiceV4(singer.bank, singer.program, singer.name.c_str(),
                                     singer.secondaryId.c_str(), params.primary, params.secondary);
}

// The Active singers as opened, by pair (the first one holding a pair), so
// that a restore looks each up at once rather than by a walk of the list.
class SingersAtOpen {
public:
    explicit SingersAtOpen(const std::vector<SingerEntry>& singers)
        : byPair_(static_cast<std::size_t>(kPairLimit) * kPairLimit, nullptr) {
        for (const SingerEntry& singer : singers) {
            if (!IsValidPair(singer.bank, singer.program)) continue;
            const SingerEntry*& slot = byPair_[Index(singer.bank, singer.program)];
            if (slot == nullptr) slot = &singer;
        }
    }
    const SingerEntry* Find(int32_t bank, int32_t program) const {
        return IsValidPair(bank, program) ? byPair_[Index(bank, program)] : nullptr;
    }

private:
    static std::size_t Index(int32_t bank, int32_t program) {
        return static_cast<std::size_t>(bank) * kPairLimit + static_cast<std::size_t>(program);
    }
    std::vector<const SingerEntry*> byPair_;
};

// The sequence's voices change only here, entry by entry; the first refusal
// stops the walk with its status. Each change made is noted in
// session.applied.
uint32_t WriteActiveChanges(EditorSession& session) {
    if (session.activeSingers.empty()) return kora4::kOtherFailure;
    CAxTrakManagerIF& trak = *session.trakManager;
    SequenceChanges& applied = session.applied;
    for (const SingerEntry& singer : session.activeSingers) {
        if (singer.state == kStateAdded) {
            if (session.activeRemoved.Test(singer.bank, singer.program)) {
                // Only a voice the sequence held at load is in the way; a
                // pair freed by an Active singer added and deleted in this
                // invocation holds nothing of ours (at most a voice left out
                // at load, which is never touched).
                if (session.activeAtLoad.Test(singer.bank, singer.program)) {
                    if (trak.vvoiceRemoveVVoice(singer.bank, singer.program) == 0) {
                        return kora4::kSequenceInsertRefused;
                    }
                    applied.removed.Set(singer.bank, singer.program);
                }
                session.activeRemoved.Reset(singer.bank, singer.program);
            }
            if (Insert(trak, singer) != 1) return kora4::kSequenceInsertRefused;
            applied.inserted.Set(singer.bank, singer.program);
        } else if (singer.state == kStateEdited) {
            if (Update(trak, singer) != 1) return kora4::kSequenceUpdateRefused;
            applied.updated.Set(singer.bank, singer.program);
        }
    }
    for (int32_t bank = 0; bank < kPairLimit; ++bank) {
        for (int32_t program = 0; program < kPairLimit; ++program) {
            if (!session.activeRemoved.Test(bank, program) ||
                !session.activeAtLoad.Test(bank, program)) {
                continue;
            }
            if (trak.vvoiceRemoveVVoice(bank, program) == 0) return kora4::kSequenceRemoveRefused;
            applied.removed.Set(bank, program);
        }
    }
    return kora4::kOk;
}

}  // namespace

uint32_t ApplyActiveChanges(EditorSession& session, EditorDialog& dialog) {
    session.applied = {};
    if (!session.activeChanged) return kora4::kOk;
    const uint32_t status = WriteActiveChanges(session);
    if (status != kora4::kOk) dialog.ShowMessage(kStringFailedToEditFile, kStyleError);
    return status;
}

uint32_t CommitDatabase(EditorSession& session) {
    if (!session.myChanged) return kora4::kOk;
    if (!DbmSucceeded(CallDbm<DbmEntry::CommitEditor>(session.context, session.editorHandle))) {
        return kora4::kDatabaseFailed;
    }
    if (!DbmSucceeded(
            CallDbm<DbmEntry::UpdateUserRegistory>(session.context, session.editorHandle))) {
        return kora4::kDatabaseFailed;
    }
    return kora4::kOk;
}

uint32_t ReplaceLibraryTable(EditorSession& session, EditorDialog& dialog) {
    if (session.mySingers.empty()) return kora4::kOtherFailure;
    AxVVoiceLibTable table;
    for (const SingerEntry& singer : session.mySingers) {
        // A pair already in the table keeps its first record.
        table.try_emplace(AxVVoiceLibKey{singer.bank, singer.program}, VVoiceLibFromSinger(singer));
    }
    if (session.trakManager->sysReplaceVVoiceLibTable(table) != 1) {
        dialog.ShowMessage(kStringFailedToEditFile, kStyleError);
        return kora4::kLibraryTableRefused;
    }
    return kora4::kOk;
}

uint32_t RestoreSequence(EditorSession& session) {
    CAxTrakManagerIF& trak = *session.trakManager;
    const SequenceChanges& applied = session.applied;
    const SingersAtOpen atOpen(session.activeAtOpen);
    for (int32_t bank = 0; bank < kPairLimit; ++bank) {
        for (int32_t program = 0; program < kPairLimit; ++program) {
            if (!session.activeDeleted.Test(bank, program)) continue;
            // An added singer that took the pair of a deleted one.
            if (applied.inserted.Test(bank, program) &&
                trak.vvoiceRemoveVVoice(bank, program) == 0) {
                return kora4::kSequenceRemoveRefused;
            }
            // Only a voice the apply took away is given back: a pair that
            // held nothing at load has nothing to be given back, and one the
            // apply never reached still holds its voice.
            if (!applied.removed.Test(bank, program)) continue;
            const SingerEntry* original = atOpen.Find(bank, program);
            if (original == nullptr) return kora4::kOtherFailure;
            if (Insert(trak, *original) == 0) return kora4::kSequenceInsertRefused;
        }
    }
    if (session.activeSingers.empty()) return kora4::kOtherFailure;
    for (const SingerEntry& singer : session.activeSingers) {
        if (singer.state == kStateAdded) {
            if (!session.activeDeleted.Test(singer.bank, singer.program) &&
                applied.inserted.Test(singer.bank, singer.program) &&
                trak.vvoiceRemoveVVoice(singer.bank, singer.program) == 0) {
                return kora4::kSequenceRemoveRefused;
            }
        } else if (singer.state == kStateEdited &&
                   applied.updated.Test(singer.bank, singer.program)) {
            const SingerEntry* original = atOpen.Find(singer.bank, singer.program);
            if (original == nullptr) return kora4::kOtherFailure;
            if (Update(trak, *original) == 0) return kora4::kSequenceUpdateRefused;
        }
    }
    return kora4::kOk;
}

}  // namespace kora::editor
