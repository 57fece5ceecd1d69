#include "ui/headless/scripted_user.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>

#include "model/text_codec.h"
#include "ui/dialog_bridge.h"
#include "ui/headless/resource_tables.h"

#ifndef KORA4_VERSION_MAJOR
#define KORA4_VERSION_MAJOR 0
#define KORA4_VERSION_MINOR 0
#define KORA4_VERSION_PATCH 0
#define KORA4_VERSION_TWEAK 0
#endif

namespace kora::ui::headless {
namespace {

ScriptedUser* current = nullptr;

// Dialog code that keeps opening dialogs or boxes after the script ran out
// would loop for ever; past this many run-outs the test stops hard.
constexpr int kRunOutLimit = 1000;

// Built in place: GCC 12 warns falsely (-Wrestrict) on "\"" + temporary at -O2.
std::string Quote(std::u16string_view text) {
    std::string quoted = EncodeUtf8(text);
    quoted.insert(quoted.begin(), '"');
    quoted.push_back('"');
    return quoted;
}

std::string DescribeException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an exception that is no std::exception";
    }
}

bool FitsButtons(uint32_t style, int answer) {
    switch (style & 0x0F) {
        case 0x0:
            return answer == kIdOk;  // MB_OK
        case 0x1:
            return answer == kIdOk || answer == kIdCancel;  // MB_OKCANCEL
        case 0x3:
            return answer == kIdYes || answer == kIdNo || answer == kIdCancel;
        case 0x4:
            return answer == kIdYes || answer == kIdNo;  // MB_YESNO
        default:
            return answer > 0;
    }
}

}  // namespace

FileVersion Environment::DefaultModuleVersion() {
    return {KORA4_VERSION_MAJOR, KORA4_VERSION_MINOR, KORA4_VERSION_PATCH, KORA4_VERSION_TWEAK};
}

ScriptedUser::ScriptedUser(FailureSink sink) : sink_(std::move(sink)) {
    if (current) throw std::logic_error("a scripted user is already playing");
    current = this;
}

ScriptedUser::~ScriptedUser() {
    current = nullptr;
    if (!steps_.empty()) {
        std::string left = std::to_string(steps_.size()) + " step(s) never played:";
        for (const Step& step : steps_) {
            left += ' ';  // appended, not "literal" + temporary: GCC 12's false -Wrestrict
            left += step.Describe();
        }
        failures_.push_back(left);
    }
    for (const std::string& failure : failures_) {
        if (sink_) {
            sink_(failure);
        } else {
            std::fprintf(stderr, "scripted user: %s\n", failure.c_str());
        }
    }
}

ScriptedUser* ScriptedUser::Current() { return current; }

std::vector<std::string> ScriptedUser::TakeFailures() {
    std::vector<std::string> taken;
    taken.swap(failures_);
    return taken;
}

std::vector<Dialog*> ScriptedUser::OpenDialogs() const {
    std::vector<Dialog*> dialogs;
    for (const Open& o : open_) dialogs.push_back(o.dialog);
    return dialogs;
}

// --- the script ---------------------------------------------------------------

ScriptedUser& ScriptedUser::Add(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

ScriptedUser& ScriptedUser::Click(int buttonId) {
    return Add({.kind = Kind::Click, .id = buttonId});
}
ScriptedUser& ScriptedUser::PressEnter() { return Add({.kind = Kind::PressEnter}); }
ScriptedUser& ScriptedUser::PressEscape() { return Add({.kind = Kind::PressEscape}); }
ScriptedUser& ScriptedUser::SelectRow(int listId, int row) {
    return Add({.kind = Kind::SelectRow, .id = listId, .row = row});
}
ScriptedUser& ScriptedUser::ClearSelection(int listId) {
    return Add({.kind = Kind::ClearSelection, .id = listId});
}
ScriptedUser& ScriptedUser::DoubleClickRow(int listId, int row, int column) {
    return Add({.kind = Kind::DoubleClick, .id = listId, .row = row, .column = column});
}
ScriptedUser& ScriptedUser::Type(int editId, std::u16string text) {
    return Add({.kind = Kind::Type, .id = editId, .text = std::move(text)});
}
ScriptedUser& ScriptedUser::Leave(int editId) { return Add({.kind = Kind::Leave, .id = editId}); }
ScriptedUser& ScriptedUser::ChooseItem(int comboId, std::u16string text) {
    return Add({.kind = Kind::ChooseItem, .id = comboId, .text = std::move(text)});
}
ScriptedUser& ScriptedUser::ClickSpin(int spinId, int delta) {
    return Add({.kind = Kind::ClickSpin, .id = spinId, .value = delta});
}
ScriptedUser& ScriptedUser::Scroll(int listId, bool vertical, int lines) {
    return Add({.kind = Kind::Scroll, .id = listId, .row = vertical ? 1 : 0, .value = lines});
}
ScriptedUser& ScriptedUser::TurnWheel(int listId, WheelTurn turn) {
    return Add({.kind = Kind::TurnWheel, .id = listId, .value = turn == WheelTurn::Down ? 1 : -1});
}
ScriptedUser& ScriptedUser::AnswerMessageBox(int button) {
    return Add({.kind = Kind::AnswerMessageBox, .value = button});
}
ScriptedUser& ScriptedUser::ChooseFile(std::u16string path) {
    return Add({.kind = Kind::ChooseFile, .text = std::move(path)});
}
ScriptedUser& ScriptedUser::CancelFileDialog() { return Add({.kind = Kind::CancelFile}); }
ScriptedUser& ScriptedUser::Check(CheckStep check) {
    return Add({.kind = Kind::Check, .check = std::move(check)});
}
ScriptedUser& ScriptedUser::ExpectDialog(int templateId) {
    return Add({.kind = Kind::ExpectDialog, .id = templateId});
}

std::string ScriptedUser::Step::Describe() const {
    auto n = [](int v) { return std::to_string(v); };
    switch (kind) {
        case Kind::Click:
            return "Click(" + n(id) + ")";
        case Kind::PressEnter:
            return "PressEnter()";
        case Kind::PressEscape:
            return "PressEscape()";
        case Kind::SelectRow:
            return "SelectRow(" + n(id) + ", " + n(row) + ")";
        case Kind::ClearSelection:
            return "ClearSelection(" + n(id) + ")";
        case Kind::DoubleClick:
            return "DoubleClickRow(" + n(id) + ", " + n(row) + ", " + n(column) + ")";
        case Kind::Type:
            return "Type(" + n(id) + ", " + Quote(text) + ")";
        case Kind::Leave:
            return "Leave(" + n(id) + ")";
        case Kind::ChooseItem:
            return "ChooseItem(" + n(id) + ", " + Quote(text) + ")";
        case Kind::ClickSpin:
            return "ClickSpin(" + n(id) + ", " + n(value) + ")";
        case Kind::Scroll:
            return std::string("Scroll(") + n(id) + (row ? ", vertical, " : ", horizontal, ") +
                   n(value) + ")";
        case Kind::TurnWheel:
            return std::string("TurnWheel(") + n(id) + (value > 0 ? ", down)" : ", up)");
        case Kind::AnswerMessageBox:
            return "AnswerMessageBox(" + n(value) + ")";
        case Kind::ChooseFile:
            return "ChooseFile(" + Quote(text) + ")";
        case Kind::CancelFile:
            return "CancelFileDialog()";
        case Kind::Check:
            return "Check(...)";
        case Kind::ExpectDialog:
            return "ExpectDialog(" + n(id) + ")";
    }
    return "?";
}

// --- failures -----------------------------------------------------------------

void ScriptedUser::Fail(std::string message) { failures_.push_back(std::move(message)); }

std::string ScriptedUser::Where() const {
    if (open_.empty()) return "no dialog is open";
    const Open& top = open_.back();
    return "dialog " + std::to_string(top.dialog->TemplateId()) + " " +
           Quote(top.window->Caption()) + " is open";
}

void ScriptedUser::CountRunOut() {
    if (++runOuts_ <= kRunOutLimit) return;
    std::fprintf(stderr,
                 "scripted user: the dialog code keeps showing windows after the script ran out "
                 "(%d times); stopping\n",
                 runOuts_);
    std::abort();
}

// --- the modal run ----------------------------------------------------------------

void ScriptedUser::Deliver(Open target, const NotifyEvent& event) {
    try {
        DialogBridge::Dispatch(*target.dialog, event);
    } catch (...) {
        Fail("the handler of control " + std::to_string(event.controlId) + " in dialog " +
             std::to_string(target.dialog->TemplateId()) +
             " threw: " + DescribeException(std::current_exception()));
        target.window->End(-1);
    }
}

int ScriptedUser::RunModal(Dialog& dialog) {
    const auto& dialogs = ModuleResources().dialogs;
    auto found = dialogs.find(dialog.TemplateId());
    if (found == dialogs.end()) {
        Fail("the module has no dialog template " + std::to_string(dialog.TemplateId()));
        return -1;
    }
    // The window calls back into this run; the Open entry it needs is found
    // through the stack index, which stays valid while nested runs push.
    const size_t level = open_.size();
    HeadlessWindow window(
        found->second,
        {.notify = [this, level](const NotifyEvent& event) { Deliver(open_[level], event); },
         .message =
             [&dialog](uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
                 return DialogBridge::Message(dialog, message, wParam, lParam);
             }},
        environment_.dpi);
    open_.push_back({&dialog, &window});
    DialogBridge::Attach(dialog, window);
    struct Close {
        ScriptedUser& user;
        Dialog& dialog;
        ~Close() {
            DialogBridge::Detach(dialog);
            user.open_.pop_back();
        }
    } close{*this, dialog};

    bool focusFirst = true;
    try {
        focusFirst = DialogBridge::InitDialog(dialog);
    } catch (...) {
        Fail("OnInitDialog of dialog " + std::to_string(dialog.TemplateId()) +
             " threw: " + DescribeException(std::current_exception()));
        window.End(-1);
    }
    if (!window.Ended() && focusFirst) window.FocusFirstTabStop();

    while (!window.Ended()) {
        if (steps_.empty()) {
            Fail("the script ran out while " + Where());
            CountRunOut();
            window.End(kScriptRanOut);
            break;
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        Play(step, open_[level]);
    }
    return window.Result();
}

void ScriptedUser::Play(const Step& step, Open top) {
    try {
        PlayStep(step, top);
    } catch (...) {
        // Notifications are caught where they are delivered; what comes here
        // came through a private message or a control's own handler.
        Fail(step.Describe() + " threw: " + DescribeException(std::current_exception()) + " (" +
             Where() + ")");
        top.window->End(-1);
    }
}

void ScriptedUser::PlayStep(const Step& step, Open top) {
    HeadlessWindow& w = *top.window;
    std::string why;
    switch (step.kind) {
        case Kind::Click:
            why = w.UserClick(step.id);
            break;
        case Kind::PressEnter:
            why = w.UserPressEnter();
            break;
        case Kind::PressEscape:
            why = w.UserPressEscape();
            break;
        case Kind::SelectRow:
            why = w.UserSelectRow(step.id, step.row);
            break;
        case Kind::ClearSelection:
            why = w.UserClearSelection(step.id);
            break;
        case Kind::DoubleClick:
            why = w.UserDoubleClick(step.id, step.row, step.column);
            break;
        case Kind::Type:
            why = w.UserType(step.id, step.text);
            break;
        case Kind::Leave:
            why = w.UserLeave(step.id);
            break;
        case Kind::ChooseItem:
            why = w.UserChooseItem(step.id, step.text);
            break;
        case Kind::ClickSpin:
            why = w.UserClickSpin(step.id, step.value);
            break;
        case Kind::Scroll:
            why = w.UserScroll(step.id, step.row != 0, step.value);
            break;
        case Kind::TurnWheel:
            why = w.UserTurnWheel(step.id, step.value > 0 ? WheelTurn::Down : WheelTurn::Up);
            break;
        case Kind::AnswerMessageBox:
        case Kind::ChooseFile:
        case Kind::CancelFile:
            why = "no message box or file dialog is shown";
            break;
        case Kind::Check:
            try {
                step.check(*top.dialog);
            } catch (...) {
                why = "the check threw: " + DescribeException(std::current_exception());
            }
            break;
        case Kind::ExpectDialog:
            if (top.dialog->TemplateId() != step.id) {
                Fail("expected dialog " + std::to_string(step.id) + ", but " + Where());
                w.End(kScriptWrongDialog);
            }
            break;
    }
    if (!why.empty()) Fail(step.Describe() + " was skipped: " + why + " (" + Where() + ")");
}

int ScriptedUser::OnMessageBox(std::u16string_view text, uint32_t style) {
    MessageBoxRecord record{std::u16string(text), style, 0,
                            open_.empty() ? 0 : open_.back().dialog->TemplateId()};
    const std::string shown = "message box " + Quote(text) + " (style 0x" + [&] {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%X", style);
        return std::string(hex);
    }() + ")";
    if (steps_.empty()) {
        Fail("the script ran out while the " + shown + " was shown; " + Where());
        CountRunOut();
    } else if (steps_.front().kind != Kind::AnswerMessageBox) {
        Fail("the " + shown + " appeared, but the next step is " + steps_.front().Describe());
    } else {
        record.answer = steps_.front().value;
        steps_.pop_front();
        if (!FitsButtons(style, record.answer)) {
            Fail("the answer " + std::to_string(record.answer) + " is no button of the " + shown);
            record.answer = 0;
        }
    }
    messageBoxes_.push_back(record);
    return record.answer;
}

std::optional<std::u16string> ScriptedUser::OnFileDialog(const FileDialogRequest& request) {
    FileDialogRecord record{request, std::nullopt,
                            open_.empty() ? 0 : open_.back().dialog->TemplateId()};
    const char* kind = request.kind == FileDialogKind::Open ? "open" : "save";
    if (steps_.empty()) {
        Fail(std::string("the script ran out while a file ") + kind + " dialog was shown; " +
             Where());
        CountRunOut();
    } else if (steps_.front().kind == Kind::ChooseFile) {
        record.answer = steps_.front().text;
        steps_.pop_front();
    } else if (steps_.front().kind == Kind::CancelFile) {
        steps_.pop_front();
    } else {
        Fail(std::string("a file ") + kind + " dialog appeared, but the next step is " +
             steps_.front().Describe());
    }
    fileDialogs_.push_back(record);
    return record.answer;
}

}  // namespace kora::ui::headless
