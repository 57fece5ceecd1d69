#include "dialogs/singer_editor_ops_support.h"

#include <cstring>

#include "api/module_context.h"
#include "model/conversions.h"
#include "model/text_field.h"
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

namespace {

AxVVoiceParam Primary(const int32_t* values) {
    return AxVVoiceParam{values[kBRE], values[kBRI], values[kCLE], values[kGEN], values[kAUX], 0};
}

AxVVoiceParam Secondary(const int32_t* values) {
    return AxVVoiceParam{values[kBRE], values[kBRI], values[kCLE],
                         values[kGEN], values[kAUX], values[kVOL]};
}

}  // namespace

AxVVoiceParam PrimaryParamsOf(const SingerEntry& singer) {
    return Primary(singer.primaryParams.data());
}
AxVVoiceParam SecondaryParamsOf(const SingerEntry& singer) {
    return Secondary(singer.secondaryParams.data());
}
AxVVoiceParam PrimaryParamsOf(const DBM_VVOICE_INFO& info) { return Primary(info.primaryParams); }
AxVVoiceParam SecondaryParamsOf(const DBM_VVOICE_INFO& info) {
    return Secondary(info.secondaryParams);
}

bool FillVoiceInfo(DBM_VVOICE_INFO& info, int32_t bank, int32_t program, std::u16string_view name,
                   std::u16string_view primaryId, std::u16string_view secondaryId,
                   const AxVVoiceParam& primary, const AxVVoiceParam& secondary) {
    std::memset(&info, 0, sizeof info);
    info.bank = bank;
    info.program = program;
    const int32_t primaryValues[] = {primary.BRE, primary.BRI, primary.CLE, primary.GEN,
                                     primary.AUX};
    const int32_t secondaryValues[] = {secondary.BRE, secondary.BRI, secondary.CLE,
                                       secondary.GEN, secondary.AUX, secondary.VOL};
    std::memcpy(info.primaryParams, primaryValues, sizeof info.primaryParams);
    std::memcpy(info.secondaryParams, secondaryValues, sizeof info.secondaryParams);
    CopyToField(info.name, name);  // a cut name still names this singer
    const bool idsFit = CopyToField(info.primaryVoiceId, primaryId) &&
                        CopyToField(info.secondaryVoiceId, secondaryId);
    return idsFit;
}

int SelectedRow(const ui::ListView& list, std::size_t entries) {
    const int row = list.FirstSelectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= entries) return -1;
    return row;
}

}  // namespace kora::dialogs
