// What the edit dialog and the group list are opened with in tests: a small
// catalog of installed voices with their groups, the sorted copy the editor
// hands over, and an owner dialog that answers as the Singer Editor does.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "dialogs/singer_dlg_owner.h"
#include "dialogs/xsynth_group_source.h"
#include "kora4/vbank4.h"
#include "model/records.h"
#include "model/voice_list_copy.h"
#include "model/voice_lookup.h"
#include "model/xsynth_partners.h"
#include "res/singer_editor_res.h"
#include "ui/dialog.h"

namespace kora::dialogs::test {

// Voice ids of the catalog.
inline const std::u16string kAlto = u"VOICEALTO0000001";
inline const std::u16string kContralto = u"VOICECONTRALTO02";
inline const std::u16string kBass = u"VOICEBASS0000003";
inline const std::u16string kSoprano = u"VOICESOPRANO0004";
inline const std::u16string kTenor = u"VOICETENOR000005";

// Lower-case spelling of an ASCII id.
inline std::u16string Lower(std::u16string id) {
    for (char16_t& c : id)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return id;
}

// Alto and Contralto in bank 0, Bass 1, Soprano 2, Tenor 3. Groups: "Choir"
// (Alto, Bass, Contralto) and "Duo" (Contralto, Soprano); Tenor has no
// partner.
inline InstalledVoiceList Catalog() {
    return {
        {1, u"Bass", {-10, -20, -30, -40, -50}, kBass},
        {0, u"Contralto", {7, 8, 9, 10, 11}, kContralto},
        {0, u"Alto", {1, 2, 3, 4, 5}, kAlto},
        {3, u"Tenor", {-1, -2, -3, -4, -5}, kTenor},
        {2, u"Soprano", {20, 21, 22, 23, 24}, kSoprano},
    };
}

inline XSynthGroupList Groups() {
    return {{u"Choir", {kAlto, kBass, kContralto}}, {u"Duo", {kContralto, kSoprano}}};
}

// The editor's hand-over: a copy of the database's list in display order.
inline VoiceListCopy SortedCopy(const InstalledVoiceList& voices) {
    std::vector<DbmVoiceEntry> entries;
    for (const InstalledVoice& v : voices)
        entries.push_back({u"extra", v.voiceId.c_str(), v.name.c_str(), v.bank});
    entries.push_back({nullptr, nullptr, nullptr, 0});
    DbmVoiceList list{static_cast<int32_t>(voices.size()), entries.data()};
    VoiceListCopy copy(&list);
    copy.SortForDisplay();
    return copy;
}

// Stands in for the Singer Editor: never opened, only asked.
class FakeEditor : public ui::Dialog, public SingerDlgOwner, public XSynthGroupSource {
public:
    FakeEditor() : Dialog(IDD_SINGER_EDITOR) {}

    InstalledVoiceList voices = Catalog();
    XSynthGroupList groups = Groups();
    mutable std::vector<std::u16string> defaultsAsked;

    bool FindVoiceDefaults(const std::u16string& voiceId,
                           std::array<int32_t, 5>& defaults) const override {
        defaultsAsked.push_back(voiceId);
        const auto found = kora::FindVoiceDefaults(voices, voiceId);
        if (found) defaults = *found;
        return found.has_value();
    }
    void CollectXSynthPartners(const std::u16string& voiceId,
                               std::set<std::u16string>& partners) const override {
        partners = kora::CollectXSynthPartners(groups, voiceId);
    }
    const XSynthGroupList& XSynthGroups() const override { return groups; }
    const InstalledVoiceList& InstalledVoices() const override { return voices; }
};

}  // namespace kora::dialogs::test
