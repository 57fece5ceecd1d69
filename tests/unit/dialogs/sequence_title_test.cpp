#include "dialogs/sequence_title.h"

#include <gtest/gtest.h>

namespace kora::dialogs {
namespace {

TEST(SequenceTitle, TheLastComponentWhenItHasANameAndAnExtension) {
    EXPECT_EQ(SequenceTitle(u"C:\\songs\\Demo Song.seq"), u"Demo Song.seq");
    EXPECT_EQ(SequenceTitle(u"Z:/work/demo/song.v2.json"), u"song.v2.json");
    EXPECT_EQ(SequenceTitle(u"C:song.seq"), u"song.seq");
    EXPECT_EQ(SequenceTitle(u"song.seq"), u"song.seq");
    EXPECT_EQ(SequenceTitle(u"C:\\songs\\song."), u"song.");  // the dot is the extension
}

TEST(SequenceTitle, NothingWithoutANameOrAnExtension) {
    EXPECT_EQ(SequenceTitle(u""), std::nullopt);
    EXPECT_EQ(SequenceTitle(u"C:\\songs\\noextension"), std::nullopt);
    EXPECT_EQ(SequenceTitle(u"C:\\songs.d\\noextension"), std::nullopt);
    EXPECT_EQ(SequenceTitle(u"C:\\songs\\.hidden"), std::nullopt);
    EXPECT_EQ(SequenceTitle(u"C:\\songs\\"), std::nullopt);
    EXPECT_EQ(SequenceTitle(u"C:"), std::nullopt);
}

TEST(SequenceTitle, APathLongerThanTheBufferIsCut) {
    const std::u16string folder = u"C:\\" + std::u16string(768, u'f') + u"\\";
    // 779 units are kept: the extension of a name that ends later is cut.
    EXPECT_EQ(SequenceTitle(folder + u"song.seq"), u"song.se");
    EXPECT_EQ(SequenceTitle(folder + u"longer-name.seq"), std::nullopt);
    // A long last component is shown whole: the label ends it with "...".
    const std::u16string longName(300, u'n');
    EXPECT_EQ(SequenceTitle(u"C:\\" + longName + u".seq"), longName + u".seq");
}

}  // namespace
}  // namespace kora::dialogs
