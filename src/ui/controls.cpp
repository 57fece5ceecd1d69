#include "ui/controls.h"

#include "model/row_model.h"
#include "ui/dialog.h"
#include "ui/dialog_window.h"

namespace kora::ui {

DialogWindow* ControlRef::Window() const { return dialog_ ? dialog_->Window() : nullptr; }

std::u16string ControlRef::Text() const {
    auto* w = Window();
    return w ? w->Text(id_) : std::u16string();
}

void ControlRef::SetText(std::u16string_view text) {
    if (auto* w = Window()) w->SetText(id_, text);
}

bool ControlRef::IsEnabled() const {
    auto* w = Window();
    return w && w->IsEnabled(id_);
}

void ControlRef::Enable(bool enabled) {
    if (auto* w = Window()) w->Enable(id_, enabled);
}

void ControlRef::SetFocus() {
    if (auto* w = Window()) w->Focus(id_);
}

uint32_t ControlRef::Style() const {
    auto* w = Window();
    return w ? w->Style(id_) : 0;
}

void ControlRef::ModifyStyle(uint32_t remove, uint32_t add) {
    if (auto* w = Window()) w->ModifyStyle(id_, remove, add);
}

int ControlRef::ClientWidth() const {
    auto* w = Window();
    return w ? w->ClientWidth(id_) : 0;
}

void Edit::SetLimitText(int chars) {
    if (auto* w = Window()) w->SetLimitText(Id(), chars);
}

int Edit::LimitText() const {
    auto* w = Window();
    return w ? w->LimitText(Id()) : 0;
}

int ListView::InsertColumn(int column, std::u16string_view heading, int format, int width) {
    auto* w = Window();
    return w ? w->InsertColumn(Id(), column, heading, format, width) : -1;
}

int ListView::ColumnCount() const {
    auto* w = Window();
    return w ? w->ColumnCount(Id()) : 0;
}

std::u16string ListView::ColumnText(int column) const {
    auto* w = Window();
    return w ? w->ColumnText(Id(), column) : std::u16string();
}

int ListView::ColumnWidth(int column) const {
    auto* w = Window();
    return w ? w->ColumnWidth(Id(), column) : 0;
}

int ListView::ColumnFormat(int column) const {
    auto* w = Window();
    return w ? w->ColumnFormat(Id(), column) : -1;
}

bool ListView::SetColumnFormat(int column, int format) {
    auto* w = Window();
    return w && w->SetColumnFormat(Id(), column, format);
}

int ListView::ItemCount() const {
    auto* w = Window();
    return w ? w->ItemCount(Id()) : 0;
}

int ListView::InsertItem(int row, std::u16string_view text) {
    auto* w = Window();
    return w ? w->InsertItem(Id(), row, text) : -1;
}

std::u16string ListView::ItemText(int row, int column) const {
    auto* w = Window();
    return w ? w->ItemText(Id(), row, column) : std::u16string();
}

bool ListView::SetItemText(int row, int column, std::u16string_view text) {
    auto* w = Window();
    return w && w->SetItemText(Id(), row, column, text);
}

std::intptr_t ListView::ItemData(int row) const {
    auto* w = Window();
    return w ? w->ItemData(Id(), row) : 0;
}

bool ListView::SetItemData(int row, std::intptr_t data) {
    auto* w = Window();
    return w && w->SetItemData(Id(), row, data);
}

uint32_t ListView::ItemState(int row, uint32_t mask) const {
    auto* w = Window();
    return w ? w->ItemState(Id(), row, mask) : 0;
}

bool ListView::SetItemState(int row, uint32_t state, uint32_t mask) {
    auto* w = Window();
    return w && w->SetItemState(Id(), row, state, mask);
}

int ListView::SelectionMark() const {
    auto* w = Window();
    return w ? w->SelectionMark(Id()) : -1;
}

int ListView::SetSelectionMark(int row) {
    auto* w = Window();
    if (!w) return -1;
    if (RowModel* rows = OwningDialog()->RowsOf(Id())) rows->States().mark = row;
    return w->SetSelectionMark(Id(), row);
}

int ListView::NextItem(int start, uint32_t flags) const {
    auto* w = Window();
    return w ? w->NextItem(Id(), start, flags) : -1;
}

int ListView::FirstSelectedRow() const {
    if (!Window()) return -1;
    if (const RowModel* rows = OwningDialog()->RowsOf(Id())) return rows->States().selected;
    return NextItem(-1, kLvniSelected);
}

bool ListView::EnsureVisible(int row, bool partialOk) {
    auto* w = Window();
    return w && w->EnsureVisible(Id(), row, partialOk);
}

int ListView::TopIndex() const {
    auto* w = Window();
    return w ? w->TopIndex(Id()) : 0;
}

int ListView::CountPerPage() const {
    auto* w = Window();
    return w ? w->CountPerPage(Id()) : 0;
}

uint32_t ListView::ExtendedStyle() const {
    auto* w = Window();
    return w ? w->ExtendedStyle(Id()) : 0;
}

void ListView::SetExtendedStyle(uint32_t style) {
    if (auto* w = Window()) w->SetExtendedStyle(Id(), style);
}

void ListView::ShowRows(RowModel& rows) {
    if (Dialog* dialog = OwningDialog()) dialog->ShowRows(Id(), rows);
}

void ListView::RowsChanged(int first, int last) {
    if (Dialog* dialog = OwningDialog()) dialog->RowsChanged(Id(), first, last);
}

int ComboBox::AddString(std::u16string_view text) {
    auto* w = Window();
    return w ? w->AddString(Id(), text) : -1;
}

int ComboBox::Count() const {
    auto* w = Window();
    return w ? w->ComboCount(Id()) : 0;
}

std::u16string ComboBox::ItemText(int index) const {
    auto* w = Window();
    return w ? w->ComboText(Id(), index) : std::u16string();
}

std::intptr_t ComboBox::ItemData(int index) const {
    auto* w = Window();
    return w ? w->ComboData(Id(), index) : -1;
}

bool ComboBox::SetItemData(int index, std::intptr_t data) {
    auto* w = Window();
    return w && w->SetComboData(Id(), index, data);
}

int ComboBox::CurSel() const {
    auto* w = Window();
    return w ? w->CurSel(Id()) : -1;
}

int ComboBox::SetCurSel(int index) {
    auto* w = Window();
    return w ? w->SetCurSel(Id(), index) : -1;
}

void ComboBox::ResetContent() {
    if (auto* w = Window()) w->ResetContent(Id());
}

void UpDown::SetRange32(int lower, int upper) {
    if (auto* w = Window()) w->SetRange32(Id(), lower, upper);
}

std::pair<int, int> UpDown::Range32() const {
    auto* w = Window();
    return w ? w->Range32(Id()) : std::pair<int, int>{0, 0};
}

int UpDown::SetPos32(int position) {
    auto* w = Window();
    return w ? w->SetPos32(Id(), position) : 0;
}

int UpDown::Pos32() {
    auto* w = Window();
    return w ? w->Pos32(Id()) : 0;
}

int UpDown::BuddyId() const {
    auto* w = Window();
    return w ? w->BuddyId(Id()) : 0;
}

}  // namespace kora::ui
