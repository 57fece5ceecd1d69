// Both dialog exports run the Singer Editor through the editor invocation,
// with the module's own resources and common controls active around it.
#include "api/editor_invocation.h"

#include "dialogs/singer_editor_dlg.h"
#include "editor/run_editor.h"
#include "ui/export_scope.h"
#include "ui/message.h"
#include "ui/win_values.h"

namespace kora::api {
namespace {

// The Singer Editor as the invocation drives it.
class SingerEditorRun final : public editor::EditorDialog {
public:
    editor::EditorSession& Session() override { return dialog_; }

    editor::DialogEnding RunModal() override {
        switch (dialog_.DoModal()) {
            case ui::kIdOk:
                return editor::DialogEnding::Ok;
            case ui::kIdCancel:
                return editor::DialogEnding::Cancel;
            default:
                return editor::DialogEnding::Other;
        }
    }

    void ShowMessage(uint32_t stringId, uint32_t style) override {
        ui::ShowMessage(stringId, static_cast<ui::MessageStyle>(style));
    }

private:
    dialogs::CSingerEditorDlg dialog_;
};

}  // namespace

uint32_t RunEditorInvocation(ModuleContext& context, CAxTrakManagerIF* trakManager,
                             uint32_t initialSelection) {
    ui::ExportScope scope;
    SingerEditorRun run;
    return editor::RunEditor(run, context, trakManager, initialSelection);
}

uint32_t RunEditorReadOnlyInvocation(ModuleContext& context, CAxTrakManagerIF* trakManager,
                                     int32_t* outBank, int32_t* outProgram) {
    ui::ExportScope scope;
    SingerEditorRun run;
    return editor::RunEditorReadOnly(run, context, trakManager, outBank, outProgram);
}

}  // namespace kora::api
