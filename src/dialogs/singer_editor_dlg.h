// The Singer Editor: the Active Singers of the open sequence above, the
// user's My Singers below, and the bookkeeping the invocation reads after
// the dialog closed (the session it derives from: lists, pair maps, flags,
// the picked pair).
//
// Each list shows a row model over the session's list of singers (row i is
// entry i, its item data the packed pair; model/singer_rows.h): the
// operations change the entries through the model and then tell the list
// what changed.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <span>
#include <string>

#include "dialogs/singer_dlg_owner.h"
#include "dialogs/xsynth_group_source.h"
#include "editor/editor_session.h"
#include "kora4/trak4.h"
#include "kora4/vbank4.h"
#include "model/singer_rows.h"
#include "ui/dialog.h"
#include "ui/list_ctrl_ext.h"

namespace kora::dialogs {

class CSingerEditorDlg : public ui::Dialog,
                         public editor::EditorSession,
                         public SingerDlgOwner,
                         public XSynthGroupSource {
public:
    // No owner window; the invocation sets context, trakManager and either
    // readOnly or initialSelection, and loads the lists before DoModal.
    CSingerEditorDlg();
    ~CSingerEditorDlg() override = default;

    // The rows of the two lists, over mySingers and activeSingers.
    MyRows myRows{mySingers};
    ActiveRows activeRows{activeSingers};
    ui::CListCtrlExt myList;      // control 23002, shows myRows
    ui::CListCtrlExt activeList;  // control 26000, shows activeRows

    bool FindVoiceDefaults(const std::u16string& voiceId,
                           std::array<int32_t, 5>& defaults) const override;
    void CollectXSynthPartners(const std::u16string& voiceId,
                               std::set<std::u16string>& partners) const override;
    const XSynthGroupList& XSynthGroups() const override { return xsynthGroups; }
    const InstalledVoiceList& InstalledVoices() const override { return installedVoices; }

    // Building blocks of the list operations and Import
    // (singer_editor_building_blocks.cpp).
    //
    // Creates a virtual voice from `info` (the database writes the program it
    // chose into it) and stores the record; a half-created voice is deleted
    // again. False when the database refused or cannot be called.
    bool CreateMySinger(DBM_VVOICE_INFO& info);
    // CreateMySinger, then InsertMySinger at `row` from the stored record;
    // a singer the list refuses is deleted again, so the list and the
    // database stay alike. False when either step failed.
    bool AddMySingerAt(int row, DBM_VVOICE_INFO& info);
    bool UpdateMySinger(const DBM_VVOICE_INFO& info);
    bool DeleteMySinger(int32_t bank, int32_t program);
    // Inserts a new entry (state 1) at `row` (beyond the end appends) and
    // shows it selected. Returns the row it took, or -1 for a negative row.
    int InsertMySinger(int row, int32_t bank, int32_t program, const std::u16string& name,
                       const std::u16string& primaryId, const std::u16string& secondaryId,
                       const AxVVoiceParam& primary, const AxVVoiceParam& secondary);
    int InsertActiveSinger(int row, int32_t bank, int32_t program, const std::u16string& name,
                           const std::u16string& primaryId, const std::u16string& secondaryId,
                           const AxVVoiceParam& primary, const AxVVoiceParam& secondary);
    // Appends a new entry (state 1) to the My rows without telling the list:
    // a walk that adds many (Import) tells it once, with ShowAddedMySingers,
    // instead of a round of window messages per row.
    void AppendMySingerUnshown(int32_t bank, int32_t program, const std::u16string& name,
                               const std::u16string& primaryId, const std::u16string& secondaryId,
                               const AxVVoiceParam& primary, const AxVVoiceParam& secondary);
    // Tells the list of the My rows from `first` on and selects the last one
    // as InsertMySinger does; nothing when there is no row from `first` on.
    void ShowAddedMySingers(int first);
    void RemoveMySinger(int row);
    void RemoveActiveSinger(int row);
    // "%s (%d)" from 2 upwards until no name in the list `listId` matches
    // without regard to case; the source name when the candidate would be
    // longer than 255 characters.
    std::u16string NumberedCopyName(const std::u16string& source, int listId);

    // Inserts `singer` at `index` (beyond the end appends) into the list and
    // its entries and shows it; selects it (focus, selection mark, scrolled
    // into view) when `select` is set. The row it took, or -1 for a
    // negative index.
    int ShowActiveRow(int index, SingerEntry singer, bool select);
    int ShowMyRow(int index, SingerEntry singer, bool select);

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
    // Selects `row`, focused, as the selection mark, scrolled into view (a
    // row shown in part will do).
    static void SelectShownRow(ui::ListView& list, int row);
    // After an Edit: the row shows its entry again and is selected.
    static void ShowEditedRow(ui::ListView& list, int row);
    void ShowTitleLine();
    void ReadDefaultVirtualVoice();
    void ReadXSynthData();
};

}  // namespace kora::dialogs
