// The building blocks of the list operations and Import: the database calls
// that change My Singers, and the row-and-entry pairs of both lists.
#include <algorithm>
#include <unordered_set>

#include "api/module_context.h"
#include "dialogs/singer_editor_dlg.h"
#include "dialogs/singer_editor_ops_support.h"
#include "editor/my_singer_steps.h"
#include "model/conversions.h"
#include "model/text_compare.h"
#include "model/text_field.h"
#include "model/voice_lookup.h"
#include "ui/format_text.h"

namespace kora::dialogs {
namespace {

// Longest name that numbering may produce: what the edit dialog accepts.
constexpr std::size_t kMaxCopyNameLength = 255;

// Puts `entry` into `entries` at the row the list gave, so rows and
// entries stay in step.
void InsertEntry(std::vector<SingerEntry>& entries, int row, SingerEntry entry) {
    const auto at = std::min(static_cast<std::size_t>(row), entries.size());
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

void EraseEntry(std::vector<SingerEntry>& entries, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return;
    entries.erase(entries.begin() + row);
}

std::u16string Folded(std::u16string text) {
    for (char16_t& c : text) c = FoldCase(c);
    return text;
}

}  // namespace

bool CSingerEditorDlg::CreateMySinger(DBM_VVOICE_INFO& info) {
    return editor::CreateMySinger(*this, info);
}

bool CSingerEditorDlg::AddMySingerAt(int row, DBM_VVOICE_INFO& info) {
    if (!CreateMySinger(info)) return false;
    if (InsertMySinger(row, info.bank, info.program, ReadField(info.name),
                       ReadField(info.primaryVoiceId), ReadField(info.secondaryVoiceId),
                       PrimaryParamsOf(info), SecondaryParamsOf(info)) >= 0) {
        return true;
    }
    DeleteMySinger(info.bank, info.program);
    return false;
}

bool CSingerEditorDlg::UpdateMySinger(const DBM_VVOICE_INFO& info) {
    return api::DbmSucceeded(
        api::CallDbm<api::DbmEntry::SetVirtualVoiceInfo>(context, editorHandle, &info));
}

bool CSingerEditorDlg::DeleteMySinger(int32_t bank, int32_t program) {
    return api::DbmSucceeded(
        api::CallDbm<api::DbmEntry::DeleteVirtualVoice>(context, editorHandle, bank, program));
}

int CSingerEditorDlg::InsertMySinger(int row, int32_t bank, int32_t program,
                                     const std::u16string& name, const std::u16string& primaryId,
                                     const std::u16string& secondaryId,
                                     const AxVVoiceParam& primary, const AxVVoiceParam& secondary) {
    SingerEntry entry = AddedSinger(installedVoices, bank, program, name, primaryId, secondaryId,
                                    primary, secondary);
    const int shown = ShowMyRow(row, entry, true);
    if (shown >= 0) InsertEntry(mySingers, shown, std::move(entry));
    return shown;
}

int CSingerEditorDlg::InsertActiveSinger(int row, int32_t bank, int32_t program,
                                         const std::u16string& name,
                                         const std::u16string& primaryId,
                                         const std::u16string& secondaryId,
                                         const AxVVoiceParam& primary,
                                         const AxVVoiceParam& secondary) {
    SingerEntry entry = AddedSinger(installedVoices, bank, program, name, primaryId, secondaryId,
                                    primary, secondary);
    const int shown = ShowActiveRow(row, entry, true);
    if (shown < 0) return shown;
    InsertEntry(activeSingers, shown, std::move(entry));
    activeInUse.Set(bank, program);
    return shown;
}

void CSingerEditorDlg::RemoveMySinger(int row) {
    myList.DeleteItem(row);
    myList.SetFocus();
    EraseEntry(mySingers, row);
    // Deleting a row sends no item change: the buttons learn it here.
    UpdateMyButtons();
}

void CSingerEditorDlg::RemoveActiveSinger(int row) {
    activeList.DeleteItem(row);
    activeList.SetFocus();
    EraseEntry(activeSingers, row);
    UpdateActiveButtons();
}

std::u16string CSingerEditorDlg::NumberedCopyName(const std::u16string& source, int listId,
                                                  int column) {
    // Every row's text once, folded: each candidate is then one look-up
    // instead of a walk over all rows.
    const ui::ListView list = Control<ui::ListView>(listId);
    std::unordered_set<std::u16string> taken;
    const int rows = list.ItemCount();
    for (int row = 0; row < rows; ++row) taken.insert(Folded(list.ItemText(row, column)));

    for (int n = 2;; ++n) {
        const std::u16string candidate = ui::FormatText(u"%s (%d)", source, n).value_or(source);
        if (candidate.size() > kMaxCopyNameLength) return source;
        if (!taken.contains(Folded(candidate))) return candidate;
    }
}

}  // namespace kora::dialogs
