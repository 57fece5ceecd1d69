// Changes to My Singers inside the open editing transaction, shared by the
// Singer Editor and the command-line tool.
#pragma once

#include "editor/editor_session.h"
#include "kora4/vbank4.h"

namespace kora::editor {

// DBM_CreateVirtualVoice, then DBM_SetVirtualVoiceInfo with the program the
// database chose written into `info`. A creation whose record is refused,
// or whose program lies outside 0..127, is deleted again and is false.
bool CreateMySinger(EditorSession& session, DBM_VVOICE_INFO& info);

}  // namespace kora::editor
