#include "dialogs/xsynth_group_dlg.h"

#include "kora4/m17n.h"
#include "res/string_res.h"
#include "res/xsynth_group_res.h"
#include "ui/localize.h"
#include "ui/lumi_m17n_string.h"
#include "ui/toolkit.h"

namespace kora::dialogs {
namespace {

constexpr uint32_t kJapanese = 1041;

// KORA4_GROUP_LIST_HOST is a build setting (see src/dialogs/CMakeLists.txt).
constexpr std::u16string_view kEnglishPage =
    u"https://" KORA4_GROUP_LIST_HOST "/en/articles/xsy_group_list";
constexpr std::u16string_view kJapanesePage =
    u"https://" KORA4_GROUP_LIST_HOST "/articles/xsy_group_list";

}  // namespace

std::u16string GroupListAddress(const LumiM17NModule* m17nModule) {
    const bool japanese = m17nModule != nullptr && m17nModule->LanguageId() == kJapanese;
    return std::u16string(japanese ? kJapanesePage : kEnglishPage);
}

CXSynthGroupDlg::CXSynthGroupDlg() : Dialog(IDD_XSYNTH_GROUP), list(*this, IDC_XSYNTH_LIST) {}

std::span<const ui::MessageMapEntry> CXSynthGroupDlg::MessageMap() const {
    static constexpr ui::MessageMapEntry map[] = {
        BnClicked<&CXSynthGroupDlg::OnOpenGroupList>(IDC_OPEN_GROUP_WEB),
    };
    return map;
}

bool CXSynthGroupDlg::OnInitDialog() {
    if (m17nModule) ui::LocalizeDialog(m17nModule, this, IDD_XSYNTH_GROUP);
    list.SetExtendedStyle(list.ExtendedStyle() | ui::kLvsExGridLines | ui::kLvsExFullRowSelect);
    InsertColumns();
    if (editorDlg) FillGroups();
    return true;
}

void CXSynthGroupDlg::InsertColumns() {
    // Two equal columns that fit beside a vertical scroll bar; the client
    // width and the metric are both in the dialog's pixels, whatever its DPI.
    const int width = (list.ClientWidth() - ui::SystemMetric(ui::kSmCxVScroll)) / 2;
    ui::CLumiM17NString name;
    name.LoadString(IDS_COLUMN_NAME);
    list.InsertColumn(0, name, ui::kLvcfmtLeft, width);
    ui::CLumiM17NString singer;
    singer.LoadString(IDS_COLUMN_SINGER);
    list.InsertColumn(1, singer, ui::kLvcfmtLeft, width);
}

void CXSynthGroupDlg::FillGroups() {
    const InstalledVoiceList& voices = editorDlg->InstalledVoices();
    for (const XSynthGroup& group : editorDlg->XSynthGroups()) {
        for (size_t j = 0; j < group.memberIds.size(); ++j) {
            const int row = list.InsertItem(list.ItemCount(), j == 0 ? group.name : u"");
            if (row < 0) continue;
            list.SetItemText(row, 1, InstalledVoiceName(voices, group.memberIds[j]));
        }
    }
}

void CXSynthGroupDlg::OnOpenGroupList() { ui::OpenWebAddress(GroupListAddress(m17nModule)); }

}  // namespace kora::dialogs
