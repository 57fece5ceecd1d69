// Import and Export of My Singers: the file dialogs and the messages. The
// reading, the rules per line and the writing are the file core's; this
// side hands it the editor's lists and the database, and the platform's
// paths and version.
#include <optional>
#include <string>

#include "dialogs/singer_editor_dlg.h"
#include "file/singer_export.h"
#include "file/singer_import.h"
#include "model/text_field.h"
#include "model/voice_lookup.h"
#include "res/string_res.h"
#include "ui/lumi_m17n_string.h"
#include "ui/message.h"
#include "ui/toolkit.h"
#include "ui/win_values.h"

namespace kora::dialogs {
namespace {

constexpr uint32_t kImportOptions = ui::kOfnHideReadOnly | ui::kOfnPathMustExist;  // 0x804
constexpr uint32_t kExportOptions = kImportOptions | ui::kOfnOverwritePrompt;      // 0x806

// The path the user chose, or nothing when the dialog was not answered
// with OK. The desktop is the first folder shown when it can be found.
std::optional<std::u16string> AskForFile(ui::FileDialogKind kind, uint32_t options) {
    ui::CLumiM17NString filter;
    filter.LoadString(IDS_FILE_FILTER);
    ui::FileDialogRequest request;
    request.kind = kind;
    request.filter = filter;
    request.defaultExtension = u"dat";
    request.options = options;
    request.initialFolder = ui::DesktopFolder();
    return ui::ShowFileDialog(request);
}

// The import rules on the editor: its installed voices and groups, its My
// list, and the Add button's way into the database and the My rows (the
// list is told once, after the walk).
class EditorImportEnvironment final : public ImportEnvironment {
public:
    explicit EditorImportEnvironment(CSingerEditorDlg& editor) : editor_(editor) {}

    const InstalledVoice* FindInstalledVoice(std::u16string_view voiceId) const override {
        return kora::FindInstalledVoice(editor_.installedVoices, voiceId);
    }
    std::set<std::u16string> CollectXSynthPartners(std::u16string_view voiceId) const override {
        std::set<std::u16string> partners;
        editor_.CollectXSynthPartners(std::u16string(voiceId), partners);
        return partners;
    }
    const std::vector<SingerEntry>& MySingers() const override { return editor_.mySingers; }

    bool CreateAndInsert(DBM_VVOICE_INFO& record, const AxVVoiceParam& primary,
                         const AxVVoiceParam& secondary) override {
        if (!editor_.CreateMySinger(record)) return false;
        editor_.myChanged = true;
        editor_.AppendMySingerUnshown(record.bank, record.program, ReadField(record.name),
                                      ReadField(record.primaryVoiceId),
                                      ReadField(record.secondaryVoiceId), primary, secondary);
        return true;
    }

private:
    CSingerEditorDlg& editor_;
};

// The comment lines name the process's executable and this module's file
// with its version, as the platform gives them.
class ToolkitExportEnvironment final : public ExportEnvironment {
public:
    std::optional<std::u16string> HostExecutablePath() const override {
        return ui::HostExecutablePath();
    }
    std::optional<std::u16string> ModulePath() const override { return ui::ModuleFilePath(); }
    std::optional<ModuleFileVersion> ModuleVersion(const std::u16string&) const override {
        const auto version = ui::ModuleFileVersion();
        if (!version) return std::nullopt;
        return kora::ModuleFileVersion{version->major, version->minor, version->build,
                                       version->revision};
    }
};

ui::MessageStyle StyleOf(int messageId) {
    return messageId == IDS_IMPORT_FINISHED || messageId == IDS_EXPORT_FINISHED
               ? ui::MessageStyle::Information
               : ui::MessageStyle::Error;
}

}  // namespace

void CSingerEditorDlg::OnImport() {
    if (mySingers.empty()) return;
    const auto path = AskForFile(ui::FileDialogKind::Open, kImportOptions);
    if (!path) return;
    EditorImportEnvironment environment(*this);
    const int firstAdded = myRows.RowCount();
    const ImportOutcome outcome = ImportSingerFile(*path, environment);
    // However the walk ended, the list shows what it added before the message.
    ShowAddedMySingers(firstAdded);
    const int messageId = ImportMessageId(outcome.ending);
    ui::ShowMessage(static_cast<uint32_t>(messageId), StyleOf(messageId));
}

void CSingerEditorDlg::OnExport() {
    if (mySingers.empty()) return;
    const auto path = AskForFile(ui::FileDialogKind::Save, kExportOptions);
    if (!path) return;
    const ExportResult result = ExportSingerFile(*path, mySingers, ToolkitExportEnvironment());
    const int messageId = ExportMessageId(result);
    ui::ShowMessage(static_cast<uint32_t>(messageId), StyleOf(messageId));
}

}  // namespace kora::dialogs
