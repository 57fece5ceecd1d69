// The platform functions of the native build: the module's strings from the
// resource script; windows, boxes and dialogs played by the scripted user;
// folders, names and version from its environment. With no scripted user,
// nothing can be shown and the environment's defaults answer.
#include <cstdio>

#include "ui/headless/resource_tables.h"
#include "ui/headless/scripted_user.h"
#include "ui/toolkit.h"
#include "ui/win_values.h"

namespace kora::ui {
namespace {

const headless::Environment& Env() {
    static const headless::Environment defaults;
    auto* user = headless::ScriptedUser::Current();
    return user ? user->Env() : defaults;
}

}  // namespace

int RunModalDialog(Dialog& dialog) {
    if (auto* user = headless::ScriptedUser::Current()) return user->RunModal(dialog);
    std::fprintf(stderr, "in-memory toolkit: no scripted user to show dialog %d\n",
                 dialog.TemplateId());
    return -1;
}

std::optional<std::u16string> LoadStringResource(uint32_t id) {
    const auto& strings = headless::ModuleResources().strings;
    auto found = strings.find(id);
    if (found == strings.end()) return std::nullopt;
    return found->second;
}

int ShowMessageBox(std::u16string_view text, uint32_t style) {
    auto* user = headless::ScriptedUser::Current();
    return user ? user->OnMessageBox(text, style) : 0;
}

std::optional<std::u16string> ShowFileDialog(const FileDialogRequest& request) {
    auto* user = headless::ScriptedUser::Current();
    return user ? user->OnFileDialog(request) : std::nullopt;
}

std::optional<std::u16string> DesktopFolder() { return Env().desktopFolder; }

void OpenWebAddress(std::u16string_view address) {
    if (auto* user = headless::ScriptedUser::Current()) user->OnOpenAddress(address);
}

std::optional<std::u16string> HostExecutablePath() { return Env().hostExecutablePath; }

std::optional<std::u16string> ModuleFilePath() { return Env().moduleFilePath; }

std::optional<FileVersion> ModuleFileVersion() { return Env().moduleVersion; }

int SystemMetric(int index) { return index == kSmCxVScroll ? Env().verticalScrollBarWidth : 0; }

}  // namespace kora::ui
