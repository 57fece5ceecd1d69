#include "editor/my_singer_steps.h"

#include "api/module_context.h"
#include "model/pair_map.h"

namespace kora::editor {

using api::CallDbm;
using api::DbmEntry;
using api::DbmSucceeded;

bool CreateMySinger(EditorSession& session, DBM_VVOICE_INFO& info) {
    if (!DbmSucceeded(CallDbm<DbmEntry::CreateVirtualVoice>(session.context, session.editorHandle,
                                                            info.bank, &info.program,
                                                            info.primaryVoiceId, info.name))) {
        return false;
    }
    // A program outside 0..127 could not be told apart from the others in
    // the pair space: such a voice is given back like one whose record was
    // refused.
    const DBM_VVOICE_INFO& filled = info;
    if (IsValidPair(info.bank, info.program) &&
        DbmSucceeded(CallDbm<DbmEntry::SetVirtualVoiceInfo>(session.context, session.editorHandle,
                                                            &filled))) {
        return true;
    }
    CallDbm<DbmEntry::DeleteVirtualVoice>(session.context, session.editorHandle, info.bank,
                                          info.program);
    return false;
}

}  // namespace kora::editor
