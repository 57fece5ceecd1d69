// The operations on My Singers: each goes to the voice database at once,
// through the editing transaction, and only then changes the list.
#include "api/module_context.h"
#include "dialogs/singer_dlg.h"
#include "dialogs/singer_editor_dlg.h"
#include "dialogs/singer_editor_ops_support.h"
#include "model/conversions.h"
#include "model/text_field.h"
#include "model/voice_lookup.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "ui/message.h"
#include "ui/win_values.h"

namespace kora::dialogs {
namespace {

// What the default is taken to be when the database cannot say.
constexpr int32_t kUnknownDefault = 0x7FFFFFFF;

}  // namespace

void CSingerEditorDlg::OnMyAdd() {
    if (readOnly || context == nullptr || mySingers.empty() || myRows.RowCount() == 0) return;
    CSingerDlg dlg(this);
    if (RunSingerDlg(*this, dlg) != ui::kIdOk) return;

    DBM_VVOICE_INFO info;
    if (!FillEditorRecord(info, dlg.primaryBank, 0, dlg.name, dlg.primaryId, dlg.secondaryId,
                          {dlg.primaryParams, dlg.secondaryParams}) ||
        !AddMySingerAt(myRows.RowCount(), info)) {
        ui::ShowMessage(IDS_ADD_FAILED, ui::MessageStyle::Error);
        return;
    }
    myChanged = true;
}

void CSingerEditorDlg::OnMyCopy() {
    const int row = SelectedRow(myList, mySingers.size());
    if (readOnly || context == nullptr || row < 0) return;
    const SingerEntry source = mySingers[static_cast<std::size_t>(row)];
    const std::u16string name = NumberedCopyName(source.name, IDC_MY_LIST);

    DBM_VVOICE_INFO info;
    if (!FillEditorRecord(info, source.bank, 0, name, source.primaryId, source.secondaryId,
                          ParamsOf(source)) ||
        !AddMySingerAt(row + 1, info)) {
        ui::ShowMessage(IDS_COPY_FAILED, ui::MessageStyle::Error);
        return;
    }
    myChanged = true;
}

void CSingerEditorDlg::OnMyEdit() {
    const int row = SelectedRow(myList, mySingers.size());
    if (readOnly || context == nullptr || row < 0) return;
    const std::size_t index = static_cast<std::size_t>(row);

    CSingerDlg dlg(this);
    PresetForEdit(dlg, mySingers[index]);
    if (RunSingerDlg(*this, dlg) != ui::kIdOk) return;

    // The edit dialog neither shows AUX nor lets the primary voice change:
    // the record keeps the singer's own, so the database and the list agree.
    SingerEntry entry = mySingers[index];
    AxVVoiceParam primary = dlg.primaryParams;
    primary.AUX = entry.primaryParams[kAUX];
    AxVVoiceParam secondary = dlg.secondaryParams;
    secondary.AUX = entry.secondaryParams[kAUX];
    DBM_VVOICE_INFO info;
    if (!FillEditorRecord(info, entry.bank, entry.program, dlg.name, entry.primaryId,
                          dlg.secondaryId, {primary, secondary}) ||
        !UpdateMySinger(info)) {
        ui::ShowMessage(IDS_CHANGE_PARAMS_FAILED, ui::MessageStyle::Error);
        return;
    }

    entry.name = ReadField(info.name);
    entry.secondaryId = dlg.secondaryId;
    entry.secondaryName = InstalledVoiceName(installedVoices, entry.secondaryId);
    SetShownValues(entry.primaryParams.data(), primary, false);
    SetShownValues(entry.secondaryParams.data(), secondary, true);
    myRows.Replace(row, std::move(entry));
    ShowEditedRow(myList, row);
    myChanged = true;
}

void CSingerEditorDlg::OnMyDelete() {
    const int row = SelectedRow(myList, mySingers.size());
    if (readOnly || context == nullptr || row < 0) return;
    if (ui::ShowMessage(IDS_CONFIRM_DELETE, ui::MessageStyle::ConfirmYesNo) != ui::kIdYes) return;
    const SingerEntry& entry = mySingers[static_cast<std::size_t>(row)];
    if (!DeleteMySinger(entry.bank, entry.program)) {
        ui::ShowMessage(IDS_DELETE_FAILED, ui::MessageStyle::Error);
        return;
    }

    if (myRows.IsMarked(row)) {
        // The database names a new default once its default is gone.
        int32_t bank = kUnknownDefault;
        int32_t program = kUnknownDefault;
        if (context->GetDefaultVirtualVoice(&bank, &program) != 0) {
            bank = kUnknownDefault;
            program = kUnknownDefault;
        }
        defaultBank = bank;
        defaultProgram = program;
        myRows.SetDefault(Pair{bank, program});
        if (const int marked = myRows.FindPair(bank, program); marked >= 0 && marked != row) {
            myList.RowsChanged(marked, marked);
        }
    }
    RemoveMySinger(row);
    myChanged = true;
}

void CSingerEditorDlg::SetDefaultSinger(int row) {
    if (readOnly || context == nullptr || mySingers.empty() || row < 0 ||
        static_cast<std::size_t>(row) >= mySingers.size()) {
        return;
    }
    const SingerEntry& entry = mySingers[static_cast<std::size_t>(row)];
    if (!api::DbmSucceeded(api::CallDbm<api::DbmEntry::SetDefaultVirtualVoice>(
            context, editorHandle, entry.bank, entry.program))) {
        return;
    }
    const int formerlyMarked = myRows.FindPair(defaultBank, defaultProgram);
    defaultBank = entry.bank;
    defaultProgram = entry.program;
    myRows.SetDefault(Pair{defaultBank, defaultProgram});
    if (formerlyMarked >= 0) myList.RowsChanged(formerlyMarked, formerlyMarked);
    myList.RowsChanged(row, row);
    myChanged = true;
}

void CSingerEditorDlg::OnCopyToMy() {
    const int row = SelectedRow(activeList, activeSingers.size());
    if (readOnly || context == nullptr || row < 0) return;
    const SingerEntry& source = activeSingers[static_cast<std::size_t>(row)];

    // A name from the sequence may be longer than the record holds: the copy
    // takes as much as fits.
    DBM_VVOICE_INFO info;
    if (!FillEditorRecord(info, source.bank, 0, source.name, source.primaryId, source.secondaryId,
                          ParamsOf(source)) ||
        !AddMySingerAt(myRows.RowCount(), info)) {
        ui::ShowMessage(IDS_COPY_FAILED, ui::MessageStyle::Error);
        return;
    }
    myChanged = true;
}

}  // namespace kora::dialogs
