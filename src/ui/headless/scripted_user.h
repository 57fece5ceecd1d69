// The user of the in-memory toolkit: a script of steps that DoModal plays
// against the dialog on top, and a record of every message box and file
// dialog the module showed.
//
//   kora::ui::headless::ScriptedUser user(sink);
//   user.SelectRow(IDC_MY_LIST, 0)
//       .Click(IDC_MY_DELETE)
//       .AnswerMessageBox(kIdYes)
//       .Check([](Dialog& d) { EXPECT_EQ(d.Control<ListView>(IDC_MY_LIST).ItemCount(), 0); })
//       .Click(kIdOk);
//   EXPECT_EQ(dlg.DoModal(), kIdOk);
//   EXPECT_EQ(user.MessageBoxes()[0].style, 0x34u);
//
// Steps go to the innermost open dialog (a nested DoModal plays the next
// steps until it ends). A message box or file dialog takes the next step,
// which must be its answer. While one scripted user lives, the in-memory
// toolkit belongs to it; only one may live at a time.
//
// Failures never hang and never throw into the dialog: a script that runs
// out while a dialog is open ends that dialog with kScriptRanOut; a step the
// dialog cannot take (a disabled button, a missing row, an answer where no
// box is shown) is skipped; a handler that throws ends its dialog with -1.
// Each is recorded with a message that says what was open. The sink gets
// every failure that the test did not take with TakeFailures, when the user
// is destroyed, together with the steps never played.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/headless/headless_window.h"
#include "ui/toolkit.h"

namespace kora::ui::headless {

// DoModal's result for a dialog left open when the script ran out, and for
// one ended because a step expected another dialog.
inline constexpr int kScriptRanOut = -1000;
inline constexpr int kScriptWrongDialog = -1001;

struct MessageBoxRecord {
    std::u16string text;
    uint32_t style = 0;
    int answer = 0;
    int dialogId = 0;  // template of the dialog on top when it was shown; 0: none
};

struct FileDialogRecord {
    FileDialogRequest request;
    std::optional<std::u16string> answer;
    int dialogId = 0;
};

// What the platform answers besides the user: folders, file names, version,
// metrics. Tests may change any of it before the module asks.
struct Environment {
    std::optional<std::u16string> desktopFolder = u"/home/singer/Desktop";
    std::optional<std::u16string> hostExecutablePath = u"/opt/host/SequenceEditor.exe";
    std::optional<std::u16string> moduleFilePath = u"/opt/host/kora4.dll";
    std::optional<FileVersion> moduleVersion = DefaultModuleVersion();
    int verticalScrollBarWidth = 17;  // in pixels at `dpi`
    int dpi = kDefaultDpi;            // the dialogs are laid out at it

    static FileVersion DefaultModuleVersion();
};

class ScriptedUser {
public:
    using FailureSink = std::function<void(const std::string&)>;
    using CheckStep = std::function<void(Dialog&)>;

    // `sink` receives the failures left at destruction (one call each).
    explicit ScriptedUser(FailureSink sink);
    ~ScriptedUser();
    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    // The live scripted user, or null.
    static ScriptedUser* Current();

    // --- steps, played in order ---
    ScriptedUser& Click(int buttonId);
    ScriptedUser& PressEnter();   // the default button, focus unchanged
    ScriptedUser& PressEscape();  // IDCANCEL, as Escape or the close box
    ScriptedUser& SelectRow(int listId, int row);
    ScriptedUser& ClearSelection(int listId);  // a click beside every row
    // Row -1: a double click that hits no row.
    ScriptedUser& DoubleClickRow(int listId, int row, int column);
    ScriptedUser& Type(int editId, std::u16string text);  // replaces the field's text
    ScriptedUser& Leave(int editId);                      // Tab to the next control
    ScriptedUser& ChooseItem(int comboId, std::u16string text);
    ScriptedUser& ClickSpin(int spinId, int delta);  // +1 the up arrow, -1 the down arrow
    ScriptedUser& Scroll(int listId, bool vertical, int lines);
    ScriptedUser& TurnWheel(int listId, WheelTurn turn);
    ScriptedUser& AnswerMessageBox(int button);
    ScriptedUser& ChooseFile(std::u16string path);
    ScriptedUser& CancelFileDialog();
    // Runs `check` with the dialog on top, e.g. to read its controls.
    ScriptedUser& Check(CheckStep check);
    // The dialog on top must be of this template; otherwise it is ended.
    ScriptedUser& ExpectDialog(int templateId);

    // --- what happened ---
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
    const std::vector<FileDialogRecord>& FileDialogs() const { return fileDialogs_; }
    const std::vector<std::u16string>& OpenedAddresses() const { return openedAddresses_; }
    const std::vector<std::string>& Failures() const { return failures_; }
    // The failures so far; they are no longer reported at destruction.
    std::vector<std::string> TakeFailures();
    size_t StepsLeft() const { return steps_.size(); }
    // Dialogs open now, outermost first.
    std::vector<Dialog*> OpenDialogs() const;

    Environment& Env() { return environment_; }
    const Environment& Env() const { return environment_; }

    // --- the toolkit's side (the platform functions of the native build) ---
    int RunModal(Dialog& dialog);
    int OnMessageBox(std::u16string_view text, uint32_t style);
    std::optional<std::u16string> OnFileDialog(const FileDialogRequest& request);
    void OnOpenAddress(std::u16string_view address) { openedAddresses_.emplace_back(address); }

private:
    enum class Kind {
        Click,
        PressEnter,
        PressEscape,
        SelectRow,
        ClearSelection,
        DoubleClick,
        Type,
        Leave,
        ChooseItem,
        ClickSpin,
        Scroll,
        TurnWheel,
        AnswerMessageBox,
        ChooseFile,
        CancelFile,
        Check,
        ExpectDialog,
    };
    struct Step {
        Kind kind;
        int id = 0;
        int row = -1;
        int column = -1;
        int value = 0;
        std::u16string text{};
        CheckStep check{};
        std::string Describe() const;
    };
    struct Open {
        Dialog* dialog;
        HeadlessWindow* window;
    };

    ScriptedUser& Add(Step step);
    // By value: a nested dialog may grow the stack of open dialogs meanwhile.
    void Play(const Step& step, Open top);
    void PlayStep(const Step& step, Open top);
    void Deliver(Open target, const NotifyEvent& event);
    void Fail(std::string message);
    std::string Where() const;
    void CountRunOut();

    FailureSink sink_;
    std::deque<Step> steps_;
    std::vector<Open> open_;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::vector<FileDialogRecord> fileDialogs_;
    std::vector<std::u16string> openedAddresses_;
    std::vector<std::string> failures_;
    Environment environment_;
    int runOuts_ = 0;
};

}  // namespace kora::ui::headless
