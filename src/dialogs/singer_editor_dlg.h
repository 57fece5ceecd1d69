// The Singer Editor: the Active Singers of the open sequence above, the
// user's My Singers below, and the bookkeeping the invocation reads after
// the dialog closed (the session it derives from: lists, pair maps, flags,
// the picked pair).
//
// Row i of either list shows entry i of its list of singers, and each row's
// item data is the entry's pair packed as bank (low 16 bits) and program
// (high 16 bits); every operation that adds or removes a row adds or removes
// the entry at the same index.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <span>
#include <string>

#include "dialogs/singer_dlg_owner.h"
#include "editor/editor_session.h"
#include "ui/dialog.h"
#include "ui/list_ctrl_ext.h"

namespace kora::dialogs {

class CSingerEditorDlg : public ui::Dialog, public editor::EditorSession, public SingerDlgOwner {
public:
    // No owner window; the invocation sets context, trakManager and either
    // readOnly or initialSelection, and loads the lists before DoModal.
    CSingerEditorDlg();
    ~CSingerEditorDlg() override = default;

    ui::CListCtrlExt myList;      // control 23002
    ui::CListCtrlExt activeList;  // control 26000

    bool FindVoiceDefaults(const std::u16string& voiceId,
                           std::array<int32_t, 5>& defaults) const override;
    void CollectXSynthPartners(const std::u16string& voiceId,
                               std::set<std::u16string>& partners) const override;

    // Inserts the row of `singer` at `index`; selects it (focus, selection
    // mark, scrolled into view) when `select` is set. The row index the list
    // gave, or its negative answer when it refused the row.
    int ShowActiveRow(int index, const SingerEntry& singer, bool select);
    int ShowMyRow(int index, const SingerEntry& singer, bool select);

    void FillActiveList();
    void FillMyList();
    void UpdateActiveButtons();
    void UpdateMyButtons();

    // Read-only OK: the pair of the selected Active singer becomes the pick.
    // Always true outside read-only mode.
    bool TakeActivePick();

protected:
    // Binds the two list controls (DoDataExchange's part).
    void DoDataExchange();
    bool OnInitDialog() override;
    void OnOK() override;
    std::span<const ui::MessageMapEntry> MessageMap() const override;

    void SetupActiveColumns();
    void SetupMyColumns();

    // Notifications.
    void OnActiveItemChanged();
    void OnMyItemChanged();
    void OnActiveDblClk(const ui::NotifyEvent& event);
    void OnMyDblClk(const ui::NotifyEvent& event);

    // The list operations, Import and Export (singer_editor_operations.cpp).
    void OnMyAdd();
    void OnMyCopy();
    void OnMyEdit();
    void OnMyDelete();
    void OnCopyToActive();
    void OnImport();
    void OnExport();
    void OnActiveAdd();
    void OnActiveCopy();
    void OnActiveEdit();
    void OnActiveDelete();
    void OnCopyToMy();
    // The My singer of `row` becomes the database's default.
    void SetDefaultSinger(int row);

private:
    void ShowTitleLine();
    void ReadDefaultVirtualVoice();
    void ReadXSynthData();
};

}  // namespace kora::dialogs
