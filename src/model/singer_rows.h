// The Singer Editor's two lists as row models: row i shows entry i of the
// list of singers the model is given (the editor's activeSingers or
// mySingers, which the model changes only through its own operations), and
// its item data is the entry's pair packed as bank (low 16 bits) and program
// (high 16 bits). The texts of each column are computed from the entry, so a
// row can never show something else than its entry.
//
// The models keep what the list operations look up: a row by pair, and the
// names without regard to case (indexed, so that numbering a copy is a
// look-up per candidate, not a walk over the rows).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/pair_map.h"
#include "model/records.h"
#include "model/row_model.h"

namespace kora {

class SingerRows : public RowModel {
public:
    // Shows `entries`, which the caller owns and keeps alive.
    explicit SingerRows(std::vector<SingerEntry>& entries);
    SingerRows(const SingerRows&) = delete;
    SingerRows& operator=(const SingerRows&) = delete;
    virtual ~SingerRows() = default;

    // Takes the entries as they are now (loaded or replaced behind the
    // model's back): the name index is made again and nothing is selected.
    void Reset();

    int RowCount() const override { return static_cast<int>(entries_.size()); }
    bool IsRow(int row) const { return row >= 0 && row < RowCount(); }
    // Only for a row that IsRow.
    const SingerEntry& Entry(int row) const { return entries_[static_cast<std::size_t>(row)]; }
    const std::vector<SingerEntry>& Entries() const { return entries_; }

    // Inserts `entry` at `row` (beyond the end appends) and returns the row
    // it took; -1 and no change for a negative row. States move with rows.
    int Insert(int row, SingerEntry entry);
    // False when there is no such row.
    bool Remove(int row);
    // Puts `entry` in the place of row `row` (an Edit).
    bool Replace(int row, SingerEntry entry);

    uint32_t ItemData(int row) const override;
    int FindName(std::u16string_view text, bool partial, int start, bool wrap) const override;
    int FindItemData(uint32_t data, int start, bool wrap) const override;
    // The first row whose entry has this pair, -1 when none.
    int FindPair(int32_t bank, int32_t program) const;

    int Selected() const { return states_.selected; }

    // Whether some row's name equals `name` without regard to case.
    bool HasName(std::u16string_view name) const;
    // "%s (%d)" from 2 upwards until no row's name matches without regard to
    // case; `source` unchanged when the candidate would be longer than 255
    // characters, the longest name the edit dialog accepts.
    std::u16string NumberedCopyName(const std::u16string& source) const;

protected:
    // The texts of a singer from the name column on: name, primary singer
    // and its BRE, BRI, CLE, GEN, secondary singer and its BRE, BRI, CLE, GEN
    // and VOL. AUX is never shown; the secondary values show also when there
    // is no secondary singer.
    static std::u16string SingerText(const SingerEntry& singer, int column);

private:
    void CountName(const std::u16string& name, int delta);

    std::vector<SingerEntry>& entries_;
    std::unordered_map<std::u16string, int> foldedNames_;  // how many rows bear each
};

// The Active list: the name, then the singers and their values.
class ActiveRows final : public SingerRows {
public:
    using SingerRows::SingerRows;
    static constexpr int kColumns = 12;
    static constexpr int kNameColumn = 0;
    std::u16string Text(int row, int column) const override;
};

// The My list: the default mark "*" in column 0 on the row whose pair is the
// database's default virtual voice, then the columns of the Active list.
class MyRows final : public SingerRows {
public:
    using SingerRows::SingerRows;
    static constexpr int kColumns = 13;
    static constexpr int kMarkColumn = 0;
    static constexpr int kNameColumn = 1;
    std::u16string Text(int row, int column) const override;

    // The pair of the default; (-1, -1), or any pair no row has, marks none.
    void SetDefault(Pair pair) { default_ = pair; }
    Pair Default() const { return default_; }
    bool IsMarked(int row) const;

private:
    Pair default_{-1, -1};
};

}  // namespace kora
