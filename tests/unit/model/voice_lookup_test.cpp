#include "model/voice_lookup.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

InstalledVoiceList Voices() {
    return {
        {0, u"Alto", {1, 2, 3, 4, 5}, u"VoiceAltoABCDEF0"},
        {1, u"Bass", {6, 7, 8, 9, 10}, u"VoiceBassABCDEF1"},
        {2, u"Bass two", {11, 12, 13, 14, 15}, u"voicebassabcdef1"},
    };
}

TEST(VoiceName, FoundWithoutRegardToCase) {
    const InstalledVoiceList voices = Voices();
    EXPECT_EQ(InstalledVoiceName(voices, u"VoiceAltoABCDEF0"), u"Alto");
    EXPECT_EQ(InstalledVoiceName(voices, u"VOICEALTOABCDEF0"), u"Alto");
    // The first match wins, whatever its case.
    EXPECT_EQ(InstalledVoiceName(voices, u"voicebassabcdef1"), u"Bass");
}

TEST(VoiceName, DashForEmptyUnknownOrNoVoices) {
    EXPECT_EQ(InstalledVoiceName(Voices(), u""), u"-");
    EXPECT_EQ(InstalledVoiceName(Voices(), u"NotInstalled0000"), u"-");
    EXPECT_EQ(InstalledVoiceName(Voices(), u"VoiceAltoABCDEF"), u"-");  // a prefix is no match
    EXPECT_EQ(InstalledVoiceName({}, u"VoiceAltoABCDEF0"), u"-");
}

TEST(VoiceDefaults, FoundOnlyByTheExactId) {
    const InstalledVoiceList voices = Voices();
    EXPECT_EQ(FindVoiceDefaults(voices, u"VoiceAltoABCDEF0"),
              (std::array<int32_t, 5>{1, 2, 3, 4, 5}));
    EXPECT_EQ(FindVoiceDefaults(voices, u"VOICEALTOABCDEF0"), std::nullopt);
    EXPECT_EQ(FindVoiceDefaults(voices, u"voicebassabcdef1"),
              (std::array<int32_t, 5>{11, 12, 13, 14, 15}));
    EXPECT_EQ(FindVoiceDefaults(voices, u""), std::nullopt);
    EXPECT_EQ(FindVoiceDefaults({}, u"VoiceAltoABCDEF0"), std::nullopt);
}

}  // namespace
}  // namespace kora
