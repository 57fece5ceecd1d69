// What the module asks of the platform beyond its dialogs' controls. Each
// function is defined by the toolkit the build links: the Win32 toolkit on
// Windows, the in-memory toolkit (played by a test's scripted user) in the
// native build. The dialogs and the localized-text functions call these,
// never a platform API.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kora::ui {

class Dialog;

// Makes the dialog's window from its template in the module's own
// resources, runs it modally and returns the value given to EndDialog; -1
// when the window could not be made.
int RunModalDialog(Dialog& dialog);

// The module's own string table (never the host's); nothing when the table
// has no string of that id.
std::optional<std::u16string> LoadStringResource(uint32_t id);

// A message box with the module's caption; `style` is the MB_ value. The
// button pressed (IDOK, IDYES, IDNO, ...), or 0 when no box could be shown.
int ShowMessageBox(std::u16string_view text, uint32_t style);

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    // Description and pattern pairs separated by '|' and ended by "||".
    std::u16string filter;
    std::u16string defaultExtension;  // without the dot
    uint32_t options = 0;             // the OFN_ flags
    std::optional<std::u16string> initialFolder;
};

// A file open or save dialog; the chosen path, or nothing when the user
// cancelled or the dialog could not be shown.
std::optional<std::u16string> ShowFileDialog(const FileDialogRequest& request);

// The user's desktop folder, or nothing when it cannot be found.
std::optional<std::u16string> DesktopFolder();

// Opens a web address in the user's browser; a failure is not reported.
void OpenWebAddress(std::u16string_view address);

// Full paths of the host process's executable and of this module's file.
std::optional<std::u16string> HostExecutablePath();
std::optional<std::u16string> ModuleFilePath();

struct FileVersion {
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t build = 0;
    uint16_t revision = 0;
    bool operator==(const FileVersion&) const = default;
};

// The file version of this module's version resource.
std::optional<FileVersion> ModuleFileVersion();

// GetSystemMetrics, in the pixels of the innermost open dialog (its DPI);
// kSmCxVScroll is the one the dialogs ask for.
int SystemMetric(int index);

}  // namespace kora::ui
