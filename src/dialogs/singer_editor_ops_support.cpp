#include "dialogs/singer_editor_ops_support.h"

#include "api/module_context.h"
#include "model/conversions.h"
#include "model/voice_list_copy.h"

namespace kora::dialogs {

int RunSingerDlg(const CSingerEditorDlg& editor, CSingerDlg& dlg) {
    VoiceListCopy sortedVoiceList(editor.dbmVoiceList);
    sortedVoiceList.SortForDisplay();
    dlg.voiceList = &sortedVoiceList;
    dlg.m17nModule = editor.context != nullptr ? editor.context->textModule : nullptr;
    const int result = dlg.DoModal();
    dlg.voiceList = nullptr;  // the copy ends here
    return result;
}

void PresetForEdit(CSingerDlg& dlg, const SingerEntry& singer) {
    dlg.editMode = true;
    dlg.name = singer.name;
    dlg.primaryId = singer.primaryId;
    dlg.secondaryId = singer.secondaryId;
    dlg.primaryParams = ShownValues(singer.primaryParams.data(), false);
    dlg.secondaryParams = ShownValues(singer.secondaryParams.data(), true);
}

bool FillEditorRecord(DBM_VVOICE_INFO& info, int32_t bank, int32_t program,
                      std::u16string_view name, std::u16string_view primaryId,
                      std::u16string_view secondaryId, const SingerParams& params) {
    const SingerRecordSource source{.bank = bank,
                                    .program = program,
                                    .name = name,
                                    .primaryId = primaryId,
                                    .primaryName = {},  // the editor does not name it
                                    .secondaryId = secondaryId,
                                    .params = params};
    return FillDbmRecord(info, source, LongName::Cut) == RecordFill::Filled;
}

int SelectedRow(const ui::ListView& list, std::size_t entries) {
    const int row = list.FirstSelectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= entries) return -1;
    return row;
}

}  // namespace kora::dialogs
