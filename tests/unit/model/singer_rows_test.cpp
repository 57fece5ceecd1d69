// The Singer Editor's row models: what each column shows, rows and entries
// in step, states that move with rows, copy names and the look-ups.
#include <gmock/gmock.h>

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
    singer.primaryParams = {1, -2, 3, -4, 99};        // AUX 99 never shows
    singer.secondaryName = u"-";                      // no secondary singer
    singer.secondaryParams = {-5, 6, -7, 8, 98, -9};  // values show all the same
    return singer;
}

std::vector<std::u16string> Row(const RowModel& rows, int row, int columns) {
    std::vector<std::u16string> texts;
    for (int column = 0; column < columns; ++column) texts.push_back(rows.Text(row, column));
    return texts;
}

std::vector<std::u16string> Names(const SingerRows& rows) {
    std::vector<std::u16string> names;
    for (const SingerEntry& entry : rows.Entries()) names.push_back(entry.name);
    return names;
}

TEST(SingerRows, ColumnsShowTheEntryTheMarkAndThePackedPair) {
    std::vector<SingerEntry> active{Singer(2, 70, u"Alto")};
    std::vector<SingerEntry> my{Singer(0, 5, u"Mine"), Singer(2, 70, u"Other")};
    const ActiveRows activeRows(active);
    MyRows myRows(my);
    EXPECT_THAT(Row(activeRows, 0, ActiveRows::kColumns),
                ElementsAre(u"Alto", u"Anna", u"1", u"-2", u"3", u"-4", u"-", u"-5", u"6", u"-7",
                            u"8", u"-9"));
    EXPECT_EQ(activeRows.ItemData(0), 0x0046'0002u);  // bank low, program high
    EXPECT_EQ(Row(myRows, 1, MyRows::kColumns)[0], u"");
    myRows.SetDefault(Pair{2, 70});
    EXPECT_THAT(Row(myRows, 1, MyRows::kColumns),
                ElementsAre(u"*", u"Other", u"Anna", u"1", u"-2", u"3", u"-4", u"-", u"-5", u"6",
                            u"-7", u"8", u"-9"));
    EXPECT_TRUE(myRows.IsMarked(1) && !myRows.IsMarked(0));
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
    EXPECT_EQ(rows.Insert(1, Singer(0, 3, u"New")), 1);  // above: the states move down
    EXPECT_EQ(rows.States(), (RowStates{2, 2, 3}));
    EXPECT_EQ(rows.Insert(99, Singer(0, 4, u"Last")), 4);  // beyond the end: appended
    EXPECT_EQ(rows.Insert(-1, Singer(0, 5, u"x")), -1);
    EXPECT_EQ(rows.States(), (RowStates{2, 2, 3}));
    EXPECT_THAT(Names(rows), ElementsAre(u"A", u"New", u"B", u"C", u"Last"));
    EXPECT_EQ(rows.FindPair(0, 4), 4);
    EXPECT_EQ(rows.Text(4, 0), u"Last");

    EXPECT_TRUE(rows.Remove(2));  // the selected row: its states go
    EXPECT_EQ(rows.States(), (RowStates{-1, -1, 2}));
    EXPECT_TRUE(rows.Remove(0));  // above the mark: it moves up
    EXPECT_EQ(rows.States().mark, 1);
    EXPECT_FALSE(rows.Remove(3));
    EXPECT_TRUE(rows.Replace(0, Singer(0, 3, u"Renamed")));
    EXPECT_FALSE(rows.Replace(3, Singer(0, 3, u"x")));
    EXPECT_THAT(Names(rows), ElementsAre(u"Renamed", u"C", u"Last"));
    EXPECT_EQ(entries.size(), 3u);  // the rows are the caller's entries
    EXPECT_TRUE(rows.HasName(u"RENAMED") && rows.HasName(u"c"));
    EXPECT_FALSE(rows.HasName(u"New") || rows.HasName(u"B") || rows.HasName(u"A"));

    entries.push_back(Singer(1, 0, u"Loaded"));  // changed behind its back: Reset takes it
    rows.Reset();
    EXPECT_TRUE(rows.HasName(u"loaded"));
    EXPECT_EQ(rows.States(), RowStates{});
}

TEST(SingerRows, CopyNamesAreNumberedWithoutRegardToCaseAndNeverExceed255) {
    const std::u16string b250(250, u'b');
    std::vector<SingerEntry> entries{Singer(0, 0, u"Alto"), Singer(0, 1, u"alto (2)"),
                                     Singer(0, 2, u"ALTO (3)"), Singer(0, 3, u"Alto (2) (2)")};
    for (char16_t n = u'2'; n <= u'9'; ++n) {  // (2) .. (9) taken: (10) needs a unit more
        entries.push_back(Singer(1, n, b250 + u" (" + n + u")"));
    }
    MyRows rows(entries);
    const std::u16string a251(251, u'a'), a252(252, u'a');
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"Alto", u"Alto (4)"},
        {u"Alto (2)", u"Alto (2) (3)"},  // a suffix is never taken off
        {u"Bass", u"Bass (2)"},
        {a251, a251 + u" (2)"},  // 255 units
        {a252, a252},            // 256 would be one too many: the name stays
        {b250, b250 + u" (10)"},
        {b250 + u"b", b250 + u"b (2)"},
    };
    for (const auto& [source, copy] : cases) EXPECT_EQ(rows.NumberedCopyName(source), copy);
    rows.Remove(2);  // ALTO (3) is free again
    EXPECT_EQ(rows.NumberedCopyName(u"alto"), u"alto (3)");
}

TEST(SingerRows, FindsNamesByPrefixOrWholeFromAStartItemDataAndPairs) {
    std::vector<SingerEntry> entries{Singer(0, 0, u"Alto"), Singer(0, 1, u"Bass"),
                                     Singer(0, 2, u"alto two"), Singer(3, 4, u"Choir")};
    const ActiveRows rows(entries);
    EXPECT_EQ(rows.FindName(u"AL", true, 0, false), 0);
    EXPECT_EQ(rows.FindName(u"al", true, 1, false), 2);
    EXPECT_EQ(rows.FindName(u"al", true, 3, false), -1);
    EXPECT_EQ(rows.FindName(u"al", true, 3, true), 0);  // wraps to the top
    EXPECT_EQ(rows.FindName(u"ALTO", false, 1, true), 0);
    EXPECT_EQ(rows.FindName(u"Altos", true, 0, true), -1);
    EXPECT_EQ(rows.FindItemData(PackPair(3, 4), 0, false), 3);
    EXPECT_EQ(rows.FindItemData(PackPair(0, 0), 1, true), 0);
    EXPECT_EQ(rows.FindPair(0, 2), 2);
    EXPECT_EQ(rows.FindPair(2, 0), -1);
}

TEST(RowStates, FollowWhatTheViewReports) {
    struct Case {
        RowStates before;
        int first, last;
        uint32_t oldState, newState;
        RowStates after;
    };
    constexpr uint32_t both = kRowSelected | kRowFocused;
    const Case cases[] = {
        {{}, 4, 4, 0, both, {4, 4, 4}},                    // a click: the mark too
        {{4, 4, 1}, 4, 4, both, kRowFocused, {-1, 4, 1}},  // deselected, still focused
        {{4, 4, 1}, 3, 3, kRowSelected, 0, {4, 4, 1}},     // another row: nothing
        {{4, 4, 1}, -1, -1, kRowSelected, 0, {-1, 4, 1}},  // every row deselected
        {{4, 4, 1}, 2, 6, both, 0, {-1, -1, 1}},           // a range around them
        {{4, 4, 1}, 5, 6, kRowFocused, 0, {4, 4, 1}},      // a range beside them
    };
    for (const Case& c : cases) {
        RowStates states = c.before;
        ApplyStateChange(states, c.first, c.last, c.oldState, c.newState);
        EXPECT_EQ(states, c.after) << c.first << ".." << c.last << " " << c.newState;
    }
}

}  // namespace
}  // namespace kora
