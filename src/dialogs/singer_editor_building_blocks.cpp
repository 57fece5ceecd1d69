// The building blocks of the list operations and Import: the database calls
// that change My Singers, and the rows of both lists.
#include "api/module_context.h"
#include "dialogs/singer_editor_dlg.h"
#include "dialogs/singer_editor_ops_support.h"
#include "editor/my_singer_steps.h"
#include "model/conversions.h"
#include "model/text_field.h"
#include "res/singer_editor_res.h"

namespace kora::dialogs {

bool CSingerEditorDlg::CreateMySinger(DBM_VVOICE_INFO& info) {
    return editor::CreateMySinger(*this, info);
}

bool CSingerEditorDlg::AddMySingerAt(int row, DBM_VVOICE_INFO& info) {
    if (!CreateMySinger(info)) return false;
    if (InsertMySinger(row, info.bank, info.program, ReadField(info.name),
                       ReadField(info.primaryVoiceId), ReadField(info.secondaryVoiceId),
                       ParamsOf(info).primary, ParamsOf(info).secondary) >= 0) {
        return true;
    }
    DeleteMySinger(info.bank, info.program);
    return false;
}

bool CSingerEditorDlg::UpdateMySinger(const DBM_VVOICE_INFO& info) {
    return api::DbmSucceeded(
        api::CallDbm<api::DbmEntry::SetVirtualVoiceInfo>(context, editorHandle, &info));
}

bool CSingerEditorDlg::DeleteMySinger(int32_t bank, int32_t program) {
    return api::DbmSucceeded(
        api::CallDbm<api::DbmEntry::DeleteVirtualVoice>(context, editorHandle, bank, program));
}

int CSingerEditorDlg::InsertMySinger(int row, int32_t bank, int32_t program,
                                     const std::u16string& name, const std::u16string& primaryId,
                                     const std::u16string& secondaryId,
                                     const AxVVoiceParam& primary, const AxVVoiceParam& secondary) {
    return ShowMyRow(row,
                     AddedSinger(installedVoices, bank, program, name, primaryId, secondaryId,
                                 primary, secondary),
                     true);
}

int CSingerEditorDlg::InsertActiveSinger(int row, int32_t bank, int32_t program,
                                         const std::u16string& name,
                                         const std::u16string& primaryId,
                                         const std::u16string& secondaryId,
                                         const AxVVoiceParam& primary,
                                         const AxVVoiceParam& secondary) {
    const int shown = ShowActiveRow(row,
                                    AddedSinger(installedVoices, bank, program, name, primaryId,
                                                secondaryId, primary, secondary),
                                    true);
    if (shown >= 0) activeInUse.Set(bank, program);
    return shown;
}

void CSingerEditorDlg::AppendMySingerUnshown(int32_t bank, int32_t program,
                                             const std::u16string& name,
                                             const std::u16string& primaryId,
                                             const std::u16string& secondaryId,
                                             const AxVVoiceParam& primary,
                                             const AxVVoiceParam& secondary) {
    myRows.Insert(myRows.RowCount(), AddedSinger(installedVoices, bank, program, name, primaryId,
                                                 secondaryId, primary, secondary));
}

void CSingerEditorDlg::ShowAddedMySingers(int first) {
    if (!myRows.IsRow(first)) return;
    myList.RowsChanged(first, -1);
    SelectShownRow(myList, myRows.RowCount() - 1);
}

void CSingerEditorDlg::RemoveMySinger(int row) {
    if (!myRows.Remove(row)) return;
    myList.RowsChanged(row, -1);
    myList.SetFocus();
    // The buttons learn of it here also when no selection changed.
    UpdateMyButtons();
}

void CSingerEditorDlg::RemoveActiveSinger(int row) {
    if (!activeRows.Remove(row)) return;
    activeList.RowsChanged(row, -1);
    activeList.SetFocus();
    UpdateActiveButtons();
}

std::u16string CSingerEditorDlg::NumberedCopyName(const std::u16string& source, int listId) {
    const SingerRows& rows =
        listId == IDC_ACTIVE_LIST ? static_cast<const SingerRows&>(activeRows) : myRows;
    return rows.NumberedCopyName(source);
}

}  // namespace kora::dialogs
