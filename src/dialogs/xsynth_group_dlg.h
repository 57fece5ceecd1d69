// The cross-synthesis group list (template 23001): every group as a block
// of rows, one per member, and a button that opens the published list on
// the web. Read-only; nothing comes back from it.
//
//   CXSynthGroupDlg groups;        // no owner: modal to the open dialog
//   groups.editorDlg = source;     // may be null: two columns, no rows
//   groups.m17nModule = module;    // may be null
//   groups.DoModal();
#pragma once

#include <string>

#include "dialogs/xsynth_group_source.h"
#include "ui/dialog.h"

class LumiM17NModule;

namespace kora::dialogs {

// The web page of the group list: the Japanese page for language 1041, the
// English one otherwise (and without a text module).
std::u16string GroupListAddress(const LumiM17NModule* m17nModule);

class CXSynthGroupDlg : public ui::Dialog {
public:
    CXSynthGroupDlg();

    const XSynthGroupSource* editorDlg = nullptr;
    const LumiM17NModule* m17nModule = nullptr;
    ui::ListView list;

protected:
    bool OnInitDialog() override;
    std::span<const ui::MessageMapEntry> MessageMap() const override;

private:
    void InsertColumns();
    void FillGroups();
    void OnOpenGroupList();
};

}  // namespace kora::dialogs
