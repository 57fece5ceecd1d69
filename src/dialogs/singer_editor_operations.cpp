// The Singer Editor's list operations are not part of
// the module yet. Until they are, each handler does nothing at all: no
// database call, no change to a list, no message claiming success.
#include "dialogs/singer_editor_dlg.h"

namespace kora::dialogs {

void CSingerEditorDlg::OnMyAdd() {}
void CSingerEditorDlg::OnMyCopy() {}
void CSingerEditorDlg::OnMyEdit() {}
void CSingerEditorDlg::OnMyDelete() {}
void CSingerEditorDlg::OnCopyToActive() {}
void CSingerEditorDlg::OnActiveAdd() {}
void CSingerEditorDlg::OnActiveCopy() {}
void CSingerEditorDlg::OnActiveEdit() {}
void CSingerEditorDlg::OnActiveDelete() {}
void CSingerEditorDlg::OnCopyToMy() {}
void CSingerEditorDlg::SetDefaultSinger(int) {}

}  // namespace kora::dialogs
