#include "model/voice_list_copy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kora {
namespace {

// A database list of voices named by letter (bank = position), with the end
// marker, built from strings the test can change afterwards.
struct SourceList {
    std::vector<std::u16string> extras, ids, names;
    std::vector<DbmVoiceEntry> entries;
    DbmVoiceList list{};

    explicit SourceList(std::u16string_view letters) {
        for (const char16_t c : letters) {
            extras.push_back(u"e" + std::u16string(1, c));
            ids.push_back(std::u16string(15, c) + u"0");
            names.push_back(u"Name " + std::u16string(1, c));
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            entries.push_back(
                {extras[i].c_str(), ids[i].c_str(), names[i].c_str(), static_cast<int32_t>(i)});
        }
        entries.push_back({nullptr, nullptr, nullptr, 0});
        list = {static_cast<int32_t>(names.size()), entries.data()};
    }
};

TEST(VoiceListCopy, CopiesEveryEntryIntoItsOwnStorageAndEndsWithANullEntry) {
    SourceList source(u"AB");
    VoiceListCopy copy(&source.list);
    ASSERT_EQ(copy.Count(), 2);
    const auto second = copy.Entry(1).value();
    EXPECT_EQ(std::tuple(second.extra, second.name, second.bank, second.voiceId),
              std::tuple(u"eB", u"Name B", 1, u"BBBBBBBBBBBBBBB0"));
    const DbmVoiceEntry& end = copy.Entries()[2];
    EXPECT_EQ(std::tuple(end.extra, end.voiceId, end.name, end.bank),
              std::tuple(nullptr, nullptr, nullptr, 0));
    for (const int32_t beyond : {2, 3, -1}) EXPECT_FALSE(copy.Entry(beyond).has_value());

    EXPECT_NE(copy.Entries()[0].name, source.list.entries[0].name);
    source.names[0].assign(u"Changed");
    source.extras[0].clear();
    source.entries.clear();
    source.entries.shrink_to_fit();
    EXPECT_EQ(std::tuple(copy.Entry(0)->name, copy.Entry(0)->extra), std::tuple(u"Name A", u"eA"));
    // Moving keeps the texts where they are.
    const VoiceListCopy moved(std::move(copy));
    EXPECT_EQ(moved.Entry(0)->name, u"Name A");
    EXPECT_EQ(copy.Count(), 0);  // NOLINT(bugprone-use-after-move): moved-from is empty
    EXPECT_EQ(copy.Entries()[0].name, nullptr);
}

TEST(VoiceListCopy, MalformedListsAreNeverReadPastTheirEnd) {
    SourceList source(u"ABC");
    source.entries[1].extra = nullptr;  // the copy stops at the first entry without extra
    const VoiceListCopy stopped(&source.list);
    EXPECT_EQ(stopped.Count(), 1);
    EXPECT_FALSE(stopped.Entry(1).has_value());
    EXPECT_EQ(stopped.Entries()[1].name, nullptr);
    source.entries[1].extra = source.extras[1].c_str();

    source.entries[3].extra = u"stray";  // an end marker with an extra still ends the list
    for (const auto& [count, copied] : {std::pair{50, 3}, {2, 2}, {-3, 0}}) {
        source.list.count = count;
        EXPECT_EQ(VoiceListCopy(&source.list).Count(), copied) << count;
    }
    source.list.count = 3;
    source.entries[0].voiceId = nullptr;  // copied as an empty text
    const VoiceListCopy copy(&source.list);
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Entry(0)->voiceId, u"");
    EXPECT_EQ(VoiceListCopy(nullptr).Count(), 0);
    const DbmVoiceList noArray{3, nullptr};
    EXPECT_EQ(VoiceListCopy(&noArray).Count(), 0);
}

}  // namespace
}  // namespace kora
