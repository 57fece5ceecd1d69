#include "model/voice_list_copy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kora {
namespace {

// A database list built from strings the test can change afterwards.
struct SourceList {
    std::vector<std::u16string> extras, ids, names;
    std::vector<DbmVoiceEntry> entries;
    DbmVoiceList list{};

    void Add(std::u16string extra, std::u16string id, std::u16string name, int32_t bank) {
        extras.push_back(std::move(extra));
        ids.push_back(std::move(id));
        names.push_back(std::move(name));
        entries.push_back({nullptr, nullptr, nullptr, bank});
    }
    const DbmVoiceList* Build() {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            entries[i].extra = extras[i].c_str();
            entries[i].voiceId = ids[i].c_str();
            entries[i].name = names[i].c_str();
        }
        entries.push_back({nullptr, nullptr, nullptr, 0});
        list.count = static_cast<int32_t>(entries.size() - 1);
        list.entries = entries.data();
        return &list;
    }
};

TEST(VoiceListCopy, CopiesEveryEntryAndEndsWithANullEntry) {
    SourceList source;
    source.Add(u"e0", u"AAAAAAAAAAAAAAA0", u"Alto", 0);
    source.Add(u"e1", u"BBBBBBBBBBBBBBB1", u"Bass", 3);
    const VoiceListCopy copy(source.Build());

    ASSERT_EQ(copy.Count(), 2);
    const auto second = copy.Entry(1);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->extra, u"e1");
    EXPECT_EQ(second->name, u"Bass");
    EXPECT_EQ(second->bank, 3);
    EXPECT_EQ(second->voiceId, u"BBBBBBBBBBBBBBB1");

    const DbmVoiceEntry& end = copy.Entries()[2];
    EXPECT_EQ(end.extra, nullptr);
    EXPECT_EQ(end.voiceId, nullptr);
    EXPECT_EQ(end.name, nullptr);
    EXPECT_EQ(end.bank, 0);
}

TEST(VoiceListCopy, TextsLiveInStorageOfItsOwn) {
    SourceList source;
    source.Add(u"extra", u"AAAAAAAAAAAAAAA0", u"Alto", 0);
    const DbmVoiceList* list = source.Build();
    VoiceListCopy copy(list);

    EXPECT_NE(copy.Entries()[0].name, list->entries[0].name);
    source.names[0].assign(u"Changed");
    source.extras[0].clear();
    source.entries.clear();
    source.entries.shrink_to_fit();

    EXPECT_EQ(copy.Entry(0)->name, u"Alto");
    EXPECT_EQ(copy.Entry(0)->extra, u"extra");
    // Moving keeps the texts where they are.
    const VoiceListCopy moved(std::move(copy));
    EXPECT_EQ(moved.Entry(0)->name, u"Alto");
    EXPECT_EQ(copy.Count(), 0);  // NOLINT(bugprone-use-after-move): moved-from is empty
    EXPECT_EQ(copy.Entries()[0].name, nullptr);
}

TEST(VoiceListCopy, StopsAtTheFirstEntryWithoutExtra) {
    SourceList source;
    source.Add(u"e0", u"AAAAAAAAAAAAAAA0", u"Alto", 0);
    source.Add(u"e1", u"BBBBBBBBBBBBBBB1", u"Bass", 1);
    source.Add(u"e2", u"CCCCCCCCCCCCCCC2", u"Cello", 2);
    const DbmVoiceList* list = source.Build();
    source.entries[1].extra = nullptr;

    const VoiceListCopy copy(list);
    EXPECT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.Entry(0)->name, u"Alto");
    EXPECT_FALSE(copy.Entry(1).has_value());
    EXPECT_EQ(copy.Entries()[1].name, nullptr);
}

TEST(VoiceListCopy, ReadingAtOrBeyondCountFails) {
    SourceList source;
    source.Add(u"e0", u"AAAAAAAAAAAAAAA0", u"Alto", 0);
    const VoiceListCopy copy(source.Build());
    EXPECT_TRUE(copy.Entry(0).has_value());
    EXPECT_FALSE(copy.Entry(1).has_value());
    EXPECT_FALSE(copy.Entry(2).has_value());
    EXPECT_FALSE(copy.Entry(-1).has_value());
}

TEST(VoiceListCopy, MalformedListsAreNeverReadPastTheirEnd) {
    SourceList source;
    source.Add(u"e0", u"AAAAAAAAAAAAAAA0", u"Alto", 0);
    source.Add(u"e1", u"BBBBBBBBBBBBBBB1", u"Bass", 1);
    DbmVoiceList list = *source.Build();

    // The end marker has an extra: the copy still ends there.
    source.entries[2].extra = u"stray";
    list.count = 50;
    EXPECT_EQ(VoiceListCopy(&list).Count(), 2);

    // A count below the entries bounds the copy.
    list.count = 1;
    EXPECT_EQ(VoiceListCopy(&list).Count(), 1);
    list.count = -3;
    EXPECT_EQ(VoiceListCopy(&list).Count(), 0);

    // A missing voiceId is copied as an empty text.
    list.count = 2;
    source.entries[0].voiceId = nullptr;
    const VoiceListCopy copy(&list);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Entry(0)->voiceId, u"");

    EXPECT_EQ(VoiceListCopy(nullptr).Count(), 0);
    const DbmVoiceList noArray{3, nullptr};
    EXPECT_EQ(VoiceListCopy(&noArray).Count(), 0);
}

TEST(VoiceListCopy, DisplayOrderIsBankThenNameWithoutCaseThenWithCase) {
    SourceList source;
    source.Add(u"x", u"0000000000000001", u"bass", 1);
    source.Add(u"x", u"0000000000000002", u"alto", 1);
    source.Add(u"x", u"0000000000000003", u"Zeta", 0);
    source.Add(u"x", u"0000000000000004", u"Alto", 1);
    VoiceListCopy copy(source.Build());
    copy.SortForDisplay();

    std::vector<std::u16string_view> ids;
    for (int32_t i = 0; i < copy.Count(); ++i) ids.push_back(copy.Entry(i)->voiceId);
    EXPECT_EQ(ids, (std::vector<std::u16string_view>{u"0000000000000003", u"0000000000000004",
                                                     u"0000000000000002", u"0000000000000001"}));
    EXPECT_EQ(copy.Entries()[4].name, nullptr);  // the end marker stays last
}

}  // namespace
}  // namespace kora
