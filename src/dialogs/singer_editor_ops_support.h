// What the Singer Editor's list operations share: the hand-over to the
// singer edit dialog, the database record of a singer and the selected row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dialogs/singer_dlg.h"
#include "dialogs/singer_editor_dlg.h"
#include "kora4/trak4.h"
#include "kora4/vbank4.h"
#include "model/conversions.h"
#include "model/records.h"
#include "ui/controls.h"

namespace kora::dialogs {

// Runs `dlg` modally over `editor` with a copy of the database's installed
// voices in display order (released when the run ends) and the context's
// text module. Returns DoModal's result.
int RunSingerDlg(const CSingerEditorDlg& editor, CSingerDlg& dlg);

// Puts the edit dialog into edit mode with `singer`'s name, voice ids and
// shown values (primary BRE..GEN, secondary BRE..GEN and VOL).
void PresetForEdit(CSingerDlg& dlg, const SingerEntry& singer);

// The record of a singer made in the editor; the primary voice's display
// name stays empty. A name too long for its field is cut: the user sees the
// singer kept. False when a voice id does not fit; the record is then unusable.
bool FillEditorRecord(DBM_VVOICE_INFO& info, int32_t bank, int32_t program,
                      std::u16string_view name, std::u16string_view primaryId,
                      std::u16string_view secondaryId, const SingerParams& params);

// The first selected row of `list` when it has an entry, else -1.
int SelectedRow(const ui::ListView& list, std::size_t entries);

}  // namespace kora::dialogs
