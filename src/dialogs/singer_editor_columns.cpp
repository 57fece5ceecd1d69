// The columns of the Singer Editor's two lists, and rows shown in them (the
// texts of the rows are the models').
#include "dialogs/singer_editor_dlg.h"
#include "res/string_res.h"
#include "ui/lumi_m17n_string.h"
#include "ui/win_values.h"

namespace kora::dialogs {
namespace {

using ui::kLvcfmtCenter;
using ui::kLvcfmtLeft;
using ui::kLvcfmtRight;

// Column widths in pixels at 96 DPI; the dialog scales them to its own DPI,
// so the columns grow with its font.
constexpr int kNameWidthActive = 180;
constexpr int kNameWidthMy = 160;
constexpr int kSingerWidth = 130;
constexpr int kValueWidth = 35;
constexpr int kMarkWidth = 20;
constexpr uint32_t kListExtendedStyles =
    ui::kLvsExGridLines | ui::kLvsExHeaderDragDrop | ui::kLvsExFullRowSelect;

constexpr const char16_t* kPrimaryHeaders[] = {u"BRE", u"BRI", u"CLE", u"GEN"};
constexpr const char16_t* kSecondaryHeaders[] = {u"BRE", u"BRI", u"CLE", u"GEN", u"VOL"};

struct Headers {
    ui::CLumiM17NString name;
    ui::CLumiM17NString primary;
    ui::CLumiM17NString secondary;
};

Headers LoadHeaders() {
    Headers headers;
    headers.name.LoadString(IDS_COLUMN_NAME);
    headers.primary.LoadString(IDS_COLUMN_PRIMARY);
    headers.secondary.LoadString(IDS_COLUMN_SECONDARY);
    return headers;
}

void PrepareList(ui::ListView& list) {
    list.ModifyStyle(0, ui::kLvsShowSelAlways);
    list.SetExtendedStyle(list.ExtendedStyle() | kListExtendedStyles);
}

// The columns from the name on: name, primary singer and its four values,
// secondary singer and its four values and VOL. Returns the next column.
int InsertSingerColumns(const ui::Dialog& dialog, ui::ListView& list, int column, int nameWidth) {
    const Headers headers = LoadHeaders();
    const int singerWidth = dialog.ScaledPixels(kSingerWidth);
    const int valueWidth = dialog.ScaledPixels(kValueWidth);
    list.InsertColumn(column++, headers.name, kLvcfmtLeft, dialog.ScaledPixels(nameWidth));
    list.InsertColumn(column++, headers.primary, kLvcfmtLeft, singerWidth);
    for (const char16_t* header : kPrimaryHeaders) {
        list.InsertColumn(column++, header, kLvcfmtRight, valueWidth);
    }
    list.InsertColumn(column++, headers.secondary, kLvcfmtLeft, singerWidth);
    for (const char16_t* header : kSecondaryHeaders) {
        list.InsertColumn(column++, header, kLvcfmtRight, valueWidth);
    }
    return column;
}

}  // namespace

void CSingerEditorDlg::SelectShownRow(ui::ListView& list, int row) {
    list.SetFocus();
    list.SetItemState(row, ui::kLvisSelected | ui::kLvisFocused,
                      ui::kLvisSelected | ui::kLvisFocused);
    list.SetSelectionMark(row);
    list.EnsureVisible(row, true);
}

void CSingerEditorDlg::ShowEditedRow(ui::ListView& list, int row) {
    list.RowsChanged(row, row);
    SelectShownRow(list, row);
}

void CSingerEditorDlg::SetupActiveColumns() {
    PrepareList(activeList);
    InsertSingerColumns(*this, activeList, 0, kNameWidthActive);
}

void CSingerEditorDlg::SetupMyColumns() {
    PrepareList(myList);
    myList.InsertColumn(0, u"", kLvcfmtCenter, ScaledPixels(kMarkWidth));
    // A list view keeps its first column left-aligned when it is inserted;
    // an update of the column's format centres it.
    const int format = myList.ColumnFormat(0);
    if (format >= 0) myList.SetColumnFormat(0, format | kLvcfmtCenter);
    InsertSingerColumns(*this, myList, 1, kNameWidthMy);
}

int CSingerEditorDlg::ShowActiveRow(int index, SingerEntry singer, bool select) {
    const int row = activeRows.Insert(index, std::move(singer));
    if (row < 0) return row;
    activeList.RowsChanged(row, -1);
    if (select) SelectShownRow(activeList, row);
    return row;
}

int CSingerEditorDlg::ShowMyRow(int index, SingerEntry singer, bool select) {
    const int row = myRows.Insert(index, std::move(singer));
    if (row < 0) return row;
    myList.RowsChanged(row, -1);
    if (select) SelectShownRow(myList, row);
    return row;
}

}  // namespace kora::dialogs
