// What the Singer Editor's list operations share: the hand-over to the
// singer edit dialog, the database record of a singer, parameter sets and
// the selected row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dialogs/singer_dlg.h"
#include "dialogs/singer_editor_dlg.h"
#include "kora4/trak4.h"
#include "kora4/vbank4.h"
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

// A singer's primary set with its AUX and 0 as VOL, and its whole secondary
// set.
AxVVoiceParam PrimaryParamsOf(const SingerEntry& singer);
AxVVoiceParam SecondaryParamsOf(const SingerEntry& singer);
AxVVoiceParam PrimaryParamsOf(const DBM_VVOICE_INFO& info);
AxVVoiceParam SecondaryParamsOf(const DBM_VVOICE_INFO& info);

// A zero-filled record with the pair, the values (primary BRE..AUX,
// secondary all six), the name and both voice ids; the primary voice's
// display name stays empty. A name too long for its field is cut (never
// inside a surrogate pair); a voice id that does not fit would name another
// voice, so then the result is false and the record must not be used.
bool FillVoiceInfo(DBM_VVOICE_INFO& info, int32_t bank, int32_t program, std::u16string_view name,
                   std::u16string_view primaryId, std::u16string_view secondaryId,
                   const AxVVoiceParam& primary, const AxVVoiceParam& secondary);

// The first selected row of `list` when it has an entry, else -1.
int SelectedRow(const ui::ListView& list, std::size_t entries);

}  // namespace kora::dialogs
