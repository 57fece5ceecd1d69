// Import and Export of My Singers are not part of the module yet. Until they
// are, both handlers do nothing: no file dialog, no message claiming success.
#include "dialogs/singer_editor_dlg.h"

namespace kora::dialogs {

void CSingerEditorDlg::OnImport() {}
void CSingerEditorDlg::OnExport() {}

}  // namespace kora::dialogs
