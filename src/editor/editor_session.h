// What one editor invocation works on, and the dialog as the invocation
// drives it.
#pragma once

#include <cstdint>

#include "model/editor_collections.h"

class CAxTrakManagerIF;

namespace kora::api {
struct ModuleContext;
}

namespace kora::editor {

// What ApplyActiveChanges did to the sequence, pair by pair, so that the
// sequence can be given back however far the apply got.
struct SequenceChanges {
    PairMap inserted;  // an added Active singer was put there
    PairMap removed;   // the voice held there at load was taken away
    PairMap updated;   // the voice held there at load took the edited values
};

// The Singer Editor's lists, maps and flags together with what they are
// loaded from and written back to. Neither pointer is owned.
struct EditorSession : EditorCollections {
    const api::ModuleContext* context = nullptr;
    CAxTrakManagerIF* trakManager = nullptr;
    SequenceChanges applied;
};

// How the modal run of the dialog ended.
enum class DialogEnding { Ok, Cancel, Other };

// The only message the invocation itself shows: string 25, error icon.
inline constexpr uint32_t kStringFailedToEditFile = 25;
inline constexpr uint32_t kStyleError = 0x10;

// The Singer Editor as the invocation sees it: its session, its modal run,
// and a message box by string id and style.
class EditorDialog {
public:
    virtual EditorSession& Session() = 0;
    virtual DialogEnding RunModal() = 0;
    virtual void ShowMessage(uint32_t stringId, uint32_t style) = 0;

protected:
    ~EditorDialog() = default;
};

}  // namespace kora::editor
