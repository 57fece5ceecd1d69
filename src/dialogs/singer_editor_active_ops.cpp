// The operations on Active Singers: they change only the dialog's list and
// pair maps; the invocation applies the result to the sequence after OK.
#include <algorithm>

#include "dialogs/singer_dlg.h"
#include "dialogs/singer_editor_dlg.h"
#include "dialogs/singer_editor_ops_support.h"
#include "model/conversions.h"
#include "model/voice_lookup.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "ui/message.h"
#include "ui/win_values.h"

namespace kora::dialogs {

void CSingerEditorDlg::OnActiveAdd() {
    if (readOnly) return;
    CSingerDlg dlg(this);
    if (RunSingerDlg(*this, dlg) != ui::kIdOk) return;

    const int32_t bank = dlg.primaryBank;
    const auto program = FindFreeProgram(activeInUse, bank);
    if (!program) {
        ui::ShowMessage(IDS_NO_MORE_TO_ADD, ui::MessageStyle::Plain);
        return;
    }
    AxVVoiceParam primary = dlg.primaryParams;
    primary.VOL = 0;
    if (InsertActiveSinger(activeRows.RowCount(), bank, *program, dlg.name, dlg.primaryId,
                           dlg.secondaryId, primary, dlg.secondaryParams) >= 0) {
        activeChanged = true;
    }
}

void CSingerEditorDlg::OnActiveCopy() {
    const int row = SelectedRow(activeList, activeSingers.size());
    if (readOnly || row < 0) return;
    const SingerEntry source = activeSingers[static_cast<std::size_t>(row)];

    const auto program = FindFreeProgram(activeInUse, source.bank);
    if (!program) {
        ui::ShowMessage(IDS_NO_MORE_TO_COPY, ui::MessageStyle::Plain);
        return;
    }
    const std::u16string name = NumberedCopyName(source.name, IDC_ACTIVE_LIST);
    if (InsertActiveSinger(row + 1, source.bank, *program, name, source.primaryId,
                           source.secondaryId, ParamsOf(source).primary,
                           ParamsOf(source).secondary) >= 0) {
        activeChanged = true;
    }
}

void CSingerEditorDlg::OnActiveEdit() {
    const int row = SelectedRow(activeList, activeSingers.size());
    if (readOnly || row < 0) return;
    const std::size_t index = static_cast<std::size_t>(row);

    CSingerDlg dlg(this);
    PresetForEdit(dlg, activeSingers[index]);
    if (RunSingerDlg(*this, dlg) != ui::kIdOk) return;

    // The pair, the primary voice and both AUX values stay.
    SingerEntry entry = activeSingers[index];
    entry.name = dlg.name;
    entry.secondaryId = dlg.secondaryId;
    entry.secondaryName = InstalledVoiceName(installedVoices, entry.secondaryId);
    SetShownValues(entry.primaryParams.data(), dlg.primaryParams, false);
    SetShownValues(entry.secondaryParams.data(), dlg.secondaryParams, true);
    if (entry.state != kStateAdded) entry.state = kStateEdited;
    activeRows.Replace(row, std::move(entry));
    ShowEditedRow(activeList, row);
    activeChanged = true;
}

void CSingerEditorDlg::OnActiveDelete() {
    const int row = SelectedRow(activeList, activeSingers.size());
    if (readOnly || row < 0) return;
    const SingerEntry& entry = activeSingers[static_cast<std::size_t>(row)];

    // Every primary voice that an Active singer uses keeps at least one.
    const auto onSamePrimary =
        std::count_if(activeSingers.begin(), activeSingers.end(),
                      [&](const SingerEntry& other) { return other.primaryId == entry.primaryId; });
    if (onSamePrimary == 1) {
        ui::ShowMessage(IDS_DELETE_FAILED, ui::MessageStyle::Error);
        return;
    }
    if (ui::ShowMessage(IDS_CONFIRM_DELETE, ui::MessageStyle::ConfirmYesNo) != ui::kIdYes) return;

    const int32_t bank = entry.bank;
    const int32_t program = entry.program;
    RemoveActiveSinger(row);
    activeRemoved.Set(bank, program);
    activeDeleted.Set(bank, program);
    activeInUse.Reset(bank, program);
    activeChanged = true;
}

void CSingerEditorDlg::OnCopyToActive() {
    const int row = SelectedRow(myList, mySingers.size());
    if (readOnly || row < 0) return;
    const SingerEntry source = mySingers[static_cast<std::size_t>(row)];

    const auto program = FindFreeProgram(activeInUse, source.bank);
    if (!program) {
        ui::ShowMessage(IDS_NO_MORE_TO_COPY, ui::MessageStyle::Plain);
        return;
    }
    if (InsertActiveSinger(activeRows.RowCount(), source.bank, *program, source.name,
                           source.primaryId, source.secondaryId, ParamsOf(source).primary,
                           ParamsOf(source).secondary) >= 0) {
        activeChanged = true;
    }
}

}  // namespace kora::dialogs
