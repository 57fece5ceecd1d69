// The singer edit dialog (template 23000): a singer's name, its primary
// voice, an optional secondary voice from the primary's cross-synthesis
// partners, and the parameters of both. It writes nothing anywhere; the
// caller reads the results after IDOK.
//
//   CSingerDlg dlg(editor);            // the Singer Editor, or null
//   dlg.voiceList = &sortedVoiceList;  // VoiceListCopy::SortForDisplay order
//   dlg.m17nModule = module;
//   // Edit: dlg.editMode = true; name, primaryId, secondaryId and the
//   //       BRE..GEN / BRE..VOL values of primaryParams / secondaryParams
//   if (dlg.DoModal() == kIdOk) { /* primaryBank, name, ids, both sets */ }
//
// The owner is asked for voice defaults and partners through
// SingerDlgOwner, and handed to the group list as XSynthGroupSource; an
// owner that is neither yields nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "kora4/trak4.h"
#include "model/voice_list_copy.h"
#include "ui/dialog.h"

class LumiM17NModule;

namespace kora::dialogs {

class SingerDlgOwner;

class CSingerDlg : public ui::Dialog {
public:
    explicit CSingerDlg(ui::Dialog* owner = nullptr);

    // Inputs.
    bool editMode = false;
    const VoiceListCopy* voiceList = nullptr;  // not owned; null: nothing to choose
    const LumiM17NModule* m17nModule = nullptr;

    // Outputs after IDOK; name, the ids and the sets are Edit's inputs too.
    int32_t primaryBank = 0;
    std::u16string name;
    std::u16string primaryId;
    std::u16string secondaryId;     // empty: no secondary singer
    AxVVoiceParam primaryParams;    // BRE..GEN; AUX and VOL 0 on output
    AxVVoiceParam secondaryParams;  // BRE..GEN and VOL; AUX 0 on output

    ui::ComboBox primaryCombo;
    ui::ComboBox secondaryCombo;
    std::array<ui::UpDown, 4> primarySpins;    // BRE, BRI, CLE, GEN
    std::array<ui::UpDown, 5> secondarySpins;  // BRE, BRI, CLE, GEN, VOL

    std::u16string Name() const { return name; }
    std::u16string PrimaryId() const { return primaryId; }
    std::u16string SecondaryId() const { return secondaryId; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    std::span<const ui::MessageMapEntry> MessageMap() const override;

private:
    const SingerDlgOwner* VoiceOwner() const;
    void FillPrimaryCombo();
    // By value: the member passed in may change while the combo box refills.
    void FillSecondaryCombo(
        std::u16string wantedId);  // NOLINT(performance-unnecessary-value-param)
    // The bank and voiceId of the chosen item ("-": bank -1, no id); false
    // with no list, no selection or an item beyond the list.
    bool ReadSelection(const ui::ComboBox& box, int32_t* bank, std::u16string* voiceId) const;
    void ResetPrimaryParameters();
    void ResetSecondaryParameters();
    void ShowParameters(const AxVVoiceParam& primary, const AxVVoiceParam& secondary);
    bool RejectName();

    void OnPrimarySelChange();
    void OnSecondarySelChange();
    void OnParameterFieldLeft(const ui::NotifyEvent& event);
    void OnPrimaryReset() { ResetPrimaryParameters(); }
    void OnSecondaryReset() { ResetSecondaryParameters(); }
    void OnXSynthGroupList();
};

}  // namespace kora::dialogs
