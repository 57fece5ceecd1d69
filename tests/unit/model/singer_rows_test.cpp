// The Singer Editor's row models: what each column shows, rows and entries
// in step, states that move with rows, copy names and type-ahead.
#include <gmock/gmock.h>

#include <tuple>
#include <vector>

#include "model/singer_rows.h"

namespace kora {
namespace {

using testing::ElementsAre;

SingerEntry Singer(int32_t bank, int32_t program, std::u16string name) {
    SingerEntry singer;
    singer.bank = bank;
    singer.program = program;
    singer.name = std::move(name);
    singer.primaryName = u"Anna";
    singer.primaryParams = {1, -2, 3, -4, 99};  // AUX 99 never shows
    singer.secondaryName = u"-";                // none: its values show all the same
    singer.secondaryParams = {-5, 6, -7, 8, 98, -9};
    return singer;
}

TEST(SingerRows, ColumnsShowTheEntryTheMarkAndThePackedPair) {
    std::vector<SingerEntry> active{Singer(2, 70, u"Alto")}, my{Singer(0, 5, u"Mine"), active[0]};
    const ActiveRows activeRows(active);
    MyRows myRows(my);
    myRows.SetDefault(Pair{2, 70});
    std::vector<std::u16string> texts;
    for (int column = 0; column < MyRows::kColumns; ++column)
        texts.push_back(myRows.Text(1, column));
    EXPECT_THAT(texts, ElementsAre(u"*", u"Alto", u"Anna", u"1", u"-2", u"3", u"-4", u"-", u"-5",
                                   u"6", u"-7", u"8", u"-9"));
    for (int column = 0; column < ActiveRows::kColumns; ++column)
        EXPECT_EQ(activeRows.Text(0, column), texts[static_cast<std::size_t>(column) + 1]);
    EXPECT_EQ(activeRows.ItemData(0), 0x0046'0002u);  // bank low, program high
    EXPECT_TRUE(myRows.IsMarked(1) && !myRows.IsMarked(0) && myRows.Text(0, 0).empty());
    // Nothing beyond the rows and columns.
    EXPECT_EQ(activeRows.Text(1, 0) + activeRows.Text(0, ActiveRows::kColumns) +
                  myRows.Text(-1, 1) + myRows.Text(0, MyRows::kColumns),
              u"");
    EXPECT_EQ(activeRows.ItemData(1), 0u);
}

TEST(SingerRows, InsertRemoveAndReplaceKeepRowsEntriesNamesAndStatesInStep) {
    std::vector<SingerEntry> entries{Singer(0, 0, u"A"), Singer(0, 1, u"B"), Singer(0, 2, u"C")};
    ActiveRows rows(entries);
    rows.States() = {.selected = 1, .focused = 1, .mark = 2};
    EXPECT_EQ(rows.Insert(1, Singer(0, 3, u"New")), 1);    // above: the states move down
    EXPECT_EQ(rows.Insert(99, Singer(0, 4, u"Last")), 4);  // beyond the end: appended
    EXPECT_EQ(rows.Insert(-1, Singer(0, 5, u"x")), -1);
    EXPECT_EQ(rows.States(), (RowStates{2, 2, 3}));
    EXPECT_TRUE(rows.Remove(2));  // the selected row: its states go
    EXPECT_EQ(rows.States(), (RowStates{-1, -1, 2}));
    EXPECT_TRUE(rows.Remove(0));  // above the mark: it moves up
    EXPECT_EQ(rows.States().mark, 1);
    EXPECT_FALSE(rows.Remove(3) || rows.Replace(3, Singer(0, 3, u"x")));
    EXPECT_TRUE(rows.Replace(0, Singer(0, 3, u"Renamed")));
    ASSERT_EQ(entries.size(), 3u);  // the rows are the caller's entries
    EXPECT_EQ(entries[0].name + entries[1].name + entries[2].name, u"RenamedCLast");
    EXPECT_TRUE(rows.HasName(u"RENAMED") && rows.HasName(u"c"));
    EXPECT_FALSE(rows.HasName(u"New") || rows.HasName(u"B") || rows.HasName(u"A"));
}

TEST(SingerRows, CopyNamesAreNumberedWithoutRegardToCaseAndNeverExceed255) {
    const std::u16string b250(250, u'b'), a251(251, u'a'), a252(252, u'a');
    std::vector<SingerEntry> entries{Singer(0, 0, u"Alto"), Singer(0, 1, u"alto (2)"),
                                     Singer(0, 2, u"ALTO (3)"), Singer(0, 3, u"Alto (2) (2)")};
    for (char16_t n = u'2'; n <= u'9'; ++n) {  // (2) .. (9) taken: (10) needs a unit more
        entries.push_back(Singer(1, n, b250 + u" (" + n + u")"));
    }
    MyRows rows(entries);
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"Alto", u"Alto (4)"},
        {u"Alto (2)", u"Alto (2) (3)"},  // a suffix is never taken off
        {a251, a251 + u" (2)"},          // 255 units
        {a252, a252},                    // 256 would be one too many: the name stays
        {b250, b250 + u" (10)"},
        {b250 + u"b", b250 + u"b (2)"},
    };
    for (const auto& [source, copy] : cases) EXPECT_EQ(rows.NumberedCopyName(source), copy);
}

TEST(SingerRows, TypeAheadFindsNamesFromAStartWrappingWhenAsked) {
    std::vector<SingerEntry> entries{Singer(0, 0, u"Alto"), Singer(0, 1, u"Bass"),
                                     Singer(0, 2, u"alto two")};
    const ActiveRows rows(entries);
    const std::tuple<std::u16string, bool, int, bool, int> cases[] = {
        {u"AL", true, 1, false, 2}, {u"al", true, 3, true, 0}, {u"ALTO", false, 1, true, 0}};
    for (const auto& [text, partial, start, wrap, found] : cases)
        EXPECT_EQ(rows.FindName(text, partial, start, wrap), found) << start;
    EXPECT_EQ(rows.FindItemData(PackPair(0, 0), 1, true), 0);
}

TEST(RowStates, FollowWhatTheViewReports) {
    constexpr uint32_t both = kRowSelected | kRowFocused;
    // {before, rows first..last (-1: all), old and new state, after}
    const std::tuple<RowStates, int, int, uint32_t, uint32_t, RowStates> cases[] = {
        {{4, 4, 1}, -1, -1, kRowSelected, 0, {-1, 4, 1}},  // every row deselected
        {{4, 4, 1}, 2, 6, both, 0, {-1, -1, 1}},           // a range around them
    };
    for (auto [states, first, last, oldState, newState, after] : cases) {
        ApplyStateChange(states, first, last, oldState, newState);
        EXPECT_EQ(states, after) << first << ".." << last;
    }
}

}  // namespace
}  // namespace kora
