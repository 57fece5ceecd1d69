#include "dialogs/singer_editor_dlg.h"

#include <algorithm>

#include "api/module_context.h"
#include "dialogs/sequence_title.h"
#include "kora4/trak4.h"
#include "model/voice_lookup.h"
#include "model/xsynth_partners.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "ui/localize.h"
#include "ui/lumi_m17n_string.h"
#include "ui/message.h"
#include "ui/win_values.h"

namespace kora::dialogs {

using ui::MessageMapEntry;

CSingerEditorDlg::CSingerEditorDlg() : ui::Dialog(IDD_SINGER_EDITOR) { DoDataExchange(); }

void CSingerEditorDlg::DoDataExchange() {
    activeList.Attach(*this, IDC_ACTIVE_LIST);
    myList.Attach(*this, IDC_MY_LIST);
    activeList.ShowRows(activeRows);
    myList.ShowRows(myRows);
}

std::span<const MessageMapEntry> CSingerEditorDlg::MessageMap() const {
    using D = CSingerEditorDlg;
    static constexpr MessageMapEntry map[] = {
        BnClicked<&D::OnMyAdd>(IDC_MY_ADD),
        BnClicked<&D::OnMyCopy>(IDC_MY_COPY),
        BnClicked<&D::OnMyEdit>(IDC_MY_EDIT),
        BnClicked<&D::OnMyDelete>(IDC_MY_DELETE),
        BnClicked<&D::OnCopyToActive>(IDC_COPY_TO_ACTIVE),
        BnClicked<&D::OnImport>(IDC_IMPORT),
        BnClicked<&D::OnExport>(IDC_EXPORT),
        BnClicked<&D::OnActiveAdd>(IDC_ACTIVE_ADD),
        BnClicked<&D::OnActiveCopy>(IDC_ACTIVE_COPY),
        BnClicked<&D::OnActiveEdit>(IDC_ACTIVE_EDIT),
        BnClicked<&D::OnActiveDelete>(IDC_ACTIVE_DELETE),
        BnClicked<&D::OnCopyToMy>(IDC_COPY_TO_MY),
        LvnItemChanged<&D::OnActiveItemChanged>(IDC_ACTIVE_LIST),
        LvnItemChanged<&D::OnMyItemChanged>(IDC_MY_LIST),
        NmDblClk<&D::OnActiveDblClk>(IDC_ACTIVE_LIST),
        NmDblClk<&D::OnMyDblClk>(IDC_MY_LIST),
    };
    return map;
}

bool CSingerEditorDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    if (context != nullptr && context->textModule != nullptr) {
        ui::LocalizeDialog(context->textModule, this, IDD_SINGER_EDITOR);
    }
    ShowTitleLine();
    ReadDefaultVirtualVoice();
    ReadXSynthData();

    activeChanged = false;
    SetupActiveColumns();
    FillActiveList();

    myChanged = false;
    SetupMyColumns();
    FillMyList();

    UpdateActiveButtons();
    UpdateMyButtons();
    return true;
}

void CSingerEditorDlg::ShowTitleLine() {
    if (trakManager == nullptr) return;
    if (const auto title = SequenceTitle(trakManager->fileGetCurrentFilePath())) {
        Control(IDC_SEQUENCE_NAME).SetText(*title);
    }
}

void CSingerEditorDlg::ReadDefaultVirtualVoice() {
    // Taken only when the database answers with success: otherwise no row
    // carries the default mark.
    int32_t bank = -1;
    int32_t program = -1;
    if (api::DbmSucceeded(
            api::CallDbm<api::DbmEntry::GetDefaultVirtualVoice>(context, &bank, &program))) {
        defaultBank = bank;
        defaultProgram = program;
    }
}

void CSingerEditorDlg::ReadXSynthData() {
    if (context == nullptr) return;
    if (!api::DbmSucceeded(api::CallDbm<api::DbmEntry::GetXSynthData>(context, &xsynthGroups))) {
        ui::CLumiM17NString text;
        text.Format(IDS_ERROR_OCCURRED, 1);
        ui::ShowMessage(text, ui::MessageStyle::Plain);
    }
}

void CSingerEditorDlg::FillActiveList() {
    activeRows.Reset();
    activeList.RowsChanged(0, -1);
    if (activeSingers.empty()) return;
    const Pair wanted = UnpackPair(initialSelection);
    const int row = std::max(activeRows.FindPair(wanted.bank, wanted.program), 0);
    activeList.SetItemState(row, ui::kLvisSelected | ui::kLvisFocused,
                            ui::kLvisSelected | ui::kLvisFocused);
    activeList.SetSelectionMark(row);
    activeList.EnsureVisible(row, false);
}

void CSingerEditorDlg::FillMyList() {
    myRows.Reset();
    myRows.SetDefault(Pair{defaultBank, defaultProgram});
    myList.RowsChanged(0, -1);
    if (myRows.RowCount() > 0) {
        myList.SetItemState(0, ui::kLvisSelected | ui::kLvisFocused,
                            ui::kLvisSelected | ui::kLvisFocused);
        myList.SetSelectionMark(0);
    }
}

void CSingerEditorDlg::UpdateActiveButtons() {
    const bool selected = activeList.FirstSelectedRow() != -1;  // the model's
    Control(IDC_ACTIVE_ADD).Enable(!readOnly);
    for (int id : {IDC_ACTIVE_COPY, IDC_ACTIVE_EDIT, IDC_ACTIVE_DELETE, IDC_COPY_TO_MY}) {
        Control(id).Enable(!readOnly && selected);
    }
}

void CSingerEditorDlg::UpdateMyButtons() {
    const bool selected = myList.FirstSelectedRow() != -1;
    Control(IDC_MY_ADD).Enable(!readOnly);
    for (int id : {IDC_MY_COPY, IDC_MY_EDIT, IDC_MY_DELETE, IDC_COPY_TO_ACTIVE}) {
        Control(id).Enable(!readOnly && selected);
    }
}

void CSingerEditorDlg::OnActiveItemChanged() { UpdateActiveButtons(); }

void CSingerEditorDlg::OnMyItemChanged() { UpdateMyButtons(); }

void CSingerEditorDlg::OnActiveDblClk(const ui::NotifyEvent& event) {
    if (!readOnly) {
        OnActiveEdit();
        return;
    }
    // A double click beside every row picks nothing.
    if (event.item < 0 || event.item >= activeList.ItemCount() ||
        static_cast<std::size_t>(event.item) >= activeSingers.size()) {
        return;
    }
    const SingerEntry& picked = activeSingers[static_cast<std::size_t>(event.item)];
    pickedBank = picked.bank;
    pickedProgram = picked.program;
    EndDialog(ui::kIdOk);
}

void CSingerEditorDlg::OnMyDblClk(const ui::NotifyEvent& event) {
    if (readOnly) return;
    if (event.subItem == 0) {
        SetDefaultSinger(event.item);
    } else {
        OnMyEdit();
    }
}

void CSingerEditorDlg::OnOK() {
    if (TakeActivePick()) {
        ui::Dialog::OnOK();
    } else {
        OnCancel();
    }
}

bool CSingerEditorDlg::TakeActivePick() {
    if (!readOnly) return true;
    const int row = activeList.FirstSelectedRow();
    if (row < 0 || activeSingers.empty() || static_cast<std::size_t>(row) >= activeSingers.size()) {
        return false;
    }
    pickedBank = activeSingers[static_cast<std::size_t>(row)].bank;
    pickedProgram = activeSingers[static_cast<std::size_t>(row)].program;
    return true;
}

bool CSingerEditorDlg::FindVoiceDefaults(const std::u16string& voiceId,
                                         std::array<int32_t, 5>& defaults) const {
    const auto found = kora::FindVoiceDefaults(installedVoices, voiceId);
    if (found) defaults = *found;
    return found.has_value();
}

void CSingerEditorDlg::CollectXSynthPartners(const std::u16string& voiceId,
                                             std::set<std::u16string>& partners) const {
    partners = kora::CollectXSynthPartners(xsynthGroups, voiceId);
}

}  // namespace kora::dialogs
