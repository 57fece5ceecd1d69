// The building blocks of the list operations and Import are not part of the
// module yet. Until they are, each refuses: no database call, no row.
#include "dialogs/singer_editor_dlg.h"

namespace kora::dialogs {

bool CSingerEditorDlg::CreateMySinger(DBM_VVOICE_INFO&) { return false; }
bool CSingerEditorDlg::UpdateMySinger(const DBM_VVOICE_INFO&) { return false; }
bool CSingerEditorDlg::DeleteMySinger(int32_t, int32_t) { return false; }
int CSingerEditorDlg::InsertMySinger(int, int32_t, int32_t, const std::u16string&,
                                     const std::u16string&, const std::u16string&,
                                     const AxVVoiceParam&, const AxVVoiceParam&) {
    return -1;
}
int CSingerEditorDlg::InsertActiveSinger(int, int32_t, int32_t, const std::u16string&,
                                         const std::u16string&, const std::u16string&,
                                         const AxVVoiceParam&, const AxVVoiceParam&) {
    return -1;
}
void CSingerEditorDlg::RemoveMySinger(int) {}
void CSingerEditorDlg::RemoveActiveSinger(int) {}
std::u16string CSingerEditorDlg::NumberedCopyName(const std::u16string& source, int, int) {
    return source;
}

}  // namespace kora::dialogs
