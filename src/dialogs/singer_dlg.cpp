#include "dialogs/singer_dlg.h"

#include <set>

#include "dialogs/singer_dlg_owner.h"
#include "dialogs/singer_name_check.h"
#include "dialogs/xsynth_group_dlg.h"
#include "model/records.h"
#include "model/text_compare.h"
#include "res/singer_dlg_res.h"
#include "res/string_res.h"
#include "ui/localize.h"
#include "ui/lumi_m17n_string.h"
#include "ui/message.h"

namespace kora::dialogs {
namespace {

using ui::ComboBox;
using ui::UpDown;

constexpr std::intptr_t kNoSecondaryData = -1;
constexpr std::u16string_view kNoSecondaryText = u"-";

// The edit field and the spin control of each parameter, in the order of
// the primary set's BRE, BRI, CLE, GEN and the secondary set's BRE, BRI,
// CLE, GEN, VOL.
struct ParameterControls {
    int field;
    int spin;
};
constexpr ParameterControls kPrimaryControls[] = {
    {IDC_PRIMARY_BRE, IDC_PRIMARY_BRE_SPIN},
    {IDC_PRIMARY_BRI, IDC_PRIMARY_BRI_SPIN},
    {IDC_PRIMARY_CLE, IDC_PRIMARY_CLE_SPIN},
    {IDC_PRIMARY_GEN, IDC_PRIMARY_GEN_SPIN},
};
constexpr ParameterControls kSecondaryControls[] = {
    {IDC_SECONDARY_BRE, IDC_SECONDARY_BRE_SPIN}, {IDC_SECONDARY_BRI, IDC_SECONDARY_BRI_SPIN},
    {IDC_SECONDARY_CLE, IDC_SECONDARY_CLE_SPIN}, {IDC_SECONDARY_GEN, IDC_SECONDARY_GEN_SPIN},
    {IDC_SECONDARY_VOL, IDC_SECONDARY_VOL_SPIN},
};

template <size_t N>
std::array<UpDown, N> SpinsOf(ui::Dialog& dialog, const ParameterControls (&controls)[N]) {
    std::array<UpDown, N> spins;
    for (size_t i = 0; i < N; ++i) spins[i] = UpDown(dialog, controls[i].spin);
    return spins;
}

}  // namespace

CSingerDlg::CSingerDlg(ui::Dialog* owner)
    : Dialog(IDD_SINGER, owner),
      primaryCombo(*this, IDC_PRIMARY_SINGER),
      secondaryCombo(*this, IDC_SECONDARY_SINGER),
      primarySpins(SpinsOf(*this, kPrimaryControls)),
      secondarySpins(SpinsOf(*this, kSecondaryControls)) {}

std::span<const ui::MessageMapEntry> CSingerDlg::MessageMap() const {
    static constexpr ui::MessageMapEntry map[] = {
        CbnSelChange<&CSingerDlg::OnPrimarySelChange>(IDC_PRIMARY_SINGER),
        CbnSelChange<&CSingerDlg::OnSecondarySelChange>(IDC_SECONDARY_SINGER),
        KillFocus<&CSingerDlg::OnParameterFieldLeft>(IDC_PRIMARY_BRE),
        KillFocus<&CSingerDlg::OnParameterFieldLeft>(IDC_PRIMARY_BRI),
        KillFocus<&CSingerDlg::OnParameterFieldLeft>(IDC_PRIMARY_CLE),
        KillFocus<&CSingerDlg::OnParameterFieldLeft>(IDC_PRIMARY_GEN),
        KillFocus<&CSingerDlg::OnParameterFieldLeft>(IDC_SECONDARY_BRE),
        KillFocus<&CSingerDlg::OnParameterFieldLeft>(IDC_SECONDARY_BRI),
        KillFocus<&CSingerDlg::OnParameterFieldLeft>(IDC_SECONDARY_CLE),
        KillFocus<&CSingerDlg::OnParameterFieldLeft>(IDC_SECONDARY_GEN),
        KillFocus<&CSingerDlg::OnParameterFieldLeft>(IDC_SECONDARY_VOL),
        BnClicked<&CSingerDlg::OnPrimaryReset>(IDC_PRIMARY_RESET),
        BnClicked<&CSingerDlg::OnSecondaryReset>(IDC_SECONDARY_RESET),
        BnClicked<&CSingerDlg::OnXSynthGroupList>(IDC_XSYNTH_GROUP_LIST),
    };
    return map;
}

const SingerDlgOwner* CSingerDlg::VoiceOwner() const { return OwnerAs<SingerDlgOwner>(); }

bool CSingerDlg::OnInitDialog() {
    // The name goes in as given, even a stored one longer than the limit:
    // OK then asks for a shorter one.
    auto nameField = Control<ui::Edit>(IDC_SINGER_NAME);
    nameField.SetText(name);
    nameField.SetLimitText(kMaxSingerNameLength);

    if (m17nModule) ui::LocalizeDialog(m17nModule, this, IDD_SINGER);
    ui::CLumiM17NString caption;
    caption.LoadString(editMode ? IDS_CAPTION_EDIT : IDS_CAPTION_ADD);
    SetCaption(caption);
    if (!voiceList) return true;

    for (UpDown& spin : primarySpins) spin.SetRange32(-kParamLimit, kParamLimit);
    for (UpDown& spin : secondarySpins) spin.SetRange32(-kParamLimit, kParamLimit);

    FillPrimaryCombo();
    std::u16string chosen;
    if (ReadSelection(primaryCombo, nullptr, &chosen)) {
        primaryId = chosen;
        if (!primaryId.empty()) {
            ResetPrimaryParameters();
            FillSecondaryCombo(secondaryId);
        }
    }
    primaryCombo.Enable(!editMode);
    // An edited singer shows its own values, not the voices' defaults.
    if (editMode) ShowParameters(primaryParams, secondaryParams);
    return true;
}

void CSingerDlg::FillPrimaryCombo() {
    bool selected = false;
    for (int32_t i = 0; i < voiceList->Count(); ++i) {
        const auto entry = voiceList->Entry(i);
        const int item = primaryCombo.AddString(entry->name);
        if (item < 0) continue;
        primaryCombo.SetItemData(item, i);
        if (EqualsIgnoreCase(entry->voiceId, primaryId)) {
            primaryCombo.SetCurSel(item);  // a later match wins
            selected = true;
        }
    }
    if (!selected && primaryCombo.Count() > 0) primaryCombo.SetCurSel(0);
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): see the declaration
void CSingerDlg::FillSecondaryCombo(std::u16string wantedId) {
    secondaryCombo.ResetContent();
    const int none = secondaryCombo.AddString(kNoSecondaryText);
    secondaryCombo.SetItemData(none, kNoSecondaryData);

    bool selected = false;
    if (const SingerDlgOwner* owner = VoiceOwner(); owner && voiceList) {
        std::set<std::u16string> partners;
        owner->CollectXSynthPartners(primaryId, partners);
        for (int32_t i = 0; i < voiceList->Count(); ++i) {
            const auto entry = voiceList->Entry(i);
            if (!partners.contains(std::u16string(entry->voiceId))) continue;
            const int item = secondaryCombo.AddString(entry->name);
            if (item < 0) continue;
            secondaryCombo.SetItemData(item, i);
            if (EqualsIgnoreCase(entry->voiceId, wantedId)) {
                secondaryCombo.SetCurSel(item);
                selected = true;
            }
        }
    }
    if (!selected) {
        // "-" by its data rather than its place: a partner's name may sort
        // before it.
        for (int item = 0; item < secondaryCombo.Count(); ++item) {
            if (secondaryCombo.ItemData(item) == kNoSecondaryData) {
                secondaryCombo.SetCurSel(item);
                break;
            }
        }
    }
    secondaryCombo.Enable(secondaryCombo.Count() >= 2);
    OnSecondarySelChange();
}

bool CSingerDlg::ReadSelection(const ui::ComboBox& box, int32_t* bank,
                               std::u16string* voiceId) const {
    if (!voiceList) return false;
    const int item = box.CurSel();
    if (item < 0) return false;
    const std::intptr_t data = box.ItemData(item);
    if (data == kNoSecondaryData) {
        if (bank) *bank = -1;
        if (voiceId) voiceId->clear();
        return true;
    }
    if (data < 0 || data >= voiceList->Count()) return false;
    const auto entry = voiceList->Entry(static_cast<int32_t>(data));
    if (!entry) return false;
    if (bank) *bank = entry->bank;
    if (voiceId) *voiceId = entry->voiceId;
    return true;
}

void CSingerDlg::ResetPrimaryParameters() {
    const SingerDlgOwner* owner = VoiceOwner();
    std::array<int32_t, 5> defaults{};
    if (!owner || !owner->FindVoiceDefaults(primaryId, defaults)) return;
    for (size_t i = 0; i < primarySpins.size(); ++i) primarySpins[i].SetPos32(defaults[i]);
}

void CSingerDlg::ResetSecondaryParameters() {
    const SingerDlgOwner* owner = VoiceOwner();
    if (!owner) return;
    std::array<int32_t, 5> defaults{};  // no secondary singer: all 0
    if (!secondaryId.empty() && !owner->FindVoiceDefaults(secondaryId, defaults)) return;
    for (size_t i = 0; i < 4; ++i) secondarySpins[i].SetPos32(defaults[i]);
    secondarySpins[4].SetPos32(0);  // VOL starts at 0 whatever the voice
}

void CSingerDlg::ShowParameters(const AxVVoiceParam& primary, const AxVVoiceParam& secondary) {
    const int32_t primaryValues[] = {primary.BRE, primary.BRI, primary.CLE, primary.GEN};
    const int32_t secondaryValues[] = {secondary.BRE, secondary.BRI, secondary.CLE, secondary.GEN,
                                       secondary.VOL};
    for (size_t i = 0; i < primarySpins.size(); ++i) primarySpins[i].SetPos32(primaryValues[i]);
    for (size_t i = 0; i < secondarySpins.size(); ++i)
        secondarySpins[i].SetPos32(secondaryValues[i]);
}

void CSingerDlg::OnPrimarySelChange() {
    std::u16string chosen;
    if (!ReadSelection(primaryCombo, nullptr, &chosen) || chosen.empty()) return;
    primaryId = chosen;
    ResetPrimaryParameters();
    FillSecondaryCombo(secondaryId);
}

void CSingerDlg::OnSecondarySelChange() {
    std::u16string chosen;
    if (!ReadSelection(secondaryCombo, nullptr, &chosen)) return;
    secondaryId = chosen;
    const bool on = !secondaryId.empty();
    for (const ParameterControls& c : kSecondaryControls) {
        Control(c.field).Enable(on);
        Control(c.spin).Enable(on);
    }
    Control(IDC_SECONDARY_RESET).Enable(on);
    ResetSecondaryParameters();
}

void CSingerDlg::OnParameterFieldLeft(const ui::NotifyEvent& event) {
    // The spin re-reads its field: a whole number in range is taken, any
    // other text gives the last valid value back.
    auto refresh = [&](const auto& controls) {
        for (const ParameterControls& c : controls) {
            if (c.field != event.controlId) continue;
            Control(c.field).SetText(ui::DecimalText(Control<UpDown>(c.spin).Pos32()));
            return true;
        }
        return false;
    };
    if (!refresh(kPrimaryControls)) refresh(kSecondaryControls);
}

void CSingerDlg::OnXSynthGroupList() {
    CXSynthGroupDlg groups;
    groups.editorDlg = OwnerAs<XSynthGroupSource>();
    groups.m17nModule = m17nModule;
    groups.DoModal();
}

bool CSingerDlg::RejectName() {
    auto nameField = Control<ui::Edit>(IDC_SINGER_NAME);
    const std::u16string text = nameField.Text();
    if (text.size() > static_cast<size_t>(kMaxSingerNameLength)) {
        // The field takes no more, but a stored name can be longer: ask for
        // a shorter one instead of cutting it silently.
        ui::ShowMessage(IDS_NAME_TOO_LONG, ui::MessageStyle::Plain);
        nameField.SetFocus();
        return true;
    }
    name = text;
    switch (CheckSingerName(name)) {
        case SingerNameVerdict::Ok:
            return false;
        case SingerNameVerdict::Empty:
            ui::ShowMessage(IDS_ENTER_SINGER_NAME, ui::MessageStyle::Plain);
            break;
        case SingerNameVerdict::Invalid:
            ui::ShowMessage(IDS_INVALID_SINGER_NAME, ui::MessageStyle::Plain);
            break;
    }
    nameField.SetFocus();
    return true;
}

void CSingerDlg::OnOK() {
    if (RejectName()) return;

    int32_t bank = 0;
    std::u16string chosenPrimary;
    std::u16string chosenSecondary;
    if (!ReadSelection(primaryCombo, &bank, &chosenPrimary) ||
        !ReadSelection(secondaryCombo, nullptr, &chosenSecondary)) {
        ui::CLumiM17NString error;
        error.Format(IDS_ERROR_OCCURRED, 0);
        ui::ShowMessage(error, ui::MessageStyle::Plain);
        return;
    }
    primaryBank = bank;
    primaryId = chosenPrimary;
    secondaryId = chosenSecondary;

    // Typed text that was not left yet counts when it is valid; disabled
    // fields are read as well.
    primaryParams = {};
    primaryParams.BRE = primarySpins[0].Pos32();
    primaryParams.BRI = primarySpins[1].Pos32();
    primaryParams.CLE = primarySpins[2].Pos32();
    primaryParams.GEN = primarySpins[3].Pos32();
    secondaryParams = {};
    secondaryParams.BRE = secondarySpins[0].Pos32();
    secondaryParams.BRI = secondarySpins[1].Pos32();
    secondaryParams.CLE = secondarySpins[2].Pos32();
    secondaryParams.GEN = secondarySpins[3].Pos32();
    secondaryParams.VOL = secondarySpins[4].Pos32();
    EndDialog(ui::kIdOk);
}

}  // namespace kora::dialogs
