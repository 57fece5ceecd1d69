// The Singer Editor as the invocation tests need it: a session, a modal run
// that plays what the test scripted (changes to the session, as the list
// operations would make them) and ends as it says, and message boxes
// recorded in the CallLog.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "call_log.h"
#include "editor/editor_session.h"

namespace kora::test {

class ScriptedEditorDialog final : public editor::EditorDialog {
public:
    explicit ScriptedEditorDialog(CallLog& log) : log_(log) {}

    std::function<editor::DialogEnding(editor::EditorSession&)> user = [](editor::EditorSession&) {
        return editor::DialogEnding::Ok;
    };
    int runs = 0;
    bool readOnlyWhileShown = false;
    bool messagesThrow = false;  // a message box that fails with an exception

    editor::EditorSession& Session() override { return session_; }
    editor::DialogEnding RunModal() override {
        ++runs;
        readOnlyWhileShown = session_.readOnly;
        log_.Add("dialog");
        return user(session_);
    }
    void ShowMessage(uint32_t stringId, uint32_t style) override {
        log_.Add("message(" + std::to_string(stringId) + "," + std::to_string(style) + ")");
        if (messagesThrow) throw std::runtime_error("no message box");
    }

private:
    CallLog& log_;
    editor::EditorSession session_;
};

// The changes the Active list operations leave in a session.

// Appends `singer` at the lowest free program of its bank, as Add and the
// copy operations do; the pair it got, or none when the bank is full.
std::optional<Pair> AddActive(editor::EditorSession& session, SingerEntry singer);
// Deletes the Active entry at `index`.
void DeleteActive(editor::EditorSession& session, std::size_t index);
// Renames the Active entry at `index` and sets its secondary BRE, as Edit.
void EditActive(editor::EditorSession& session, std::size_t index, std::u16string name,
                int32_t secondaryBre);

}  // namespace kora::test
