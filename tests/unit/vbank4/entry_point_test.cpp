// The entry points refuse what they cannot work with, and change nothing
// when they do.
#include <gtest/gtest.h>

#include <functional>

#include "vbank4_test_support.h"

namespace {

using namespace testing_support;

class EntryPointTest : public SampleDatabase {
protected:
    void ExpectNothingChanged() {
        EXPECT_EQ(VirtualVoiceCount(), 7);
        EXPECT_EQ(NameAt(0, 1), u"Sakura Soft");
        EXPECT_EQ(DefaultPair(), (Pair{0, 0}));
        EXPECT_EQ(Store(), storeBefore_);
    }
    std::string storeBefore_ = Store();
};

TEST_F(EntryPointTest, BadArgumentsAreRefused) {
    const uint32_t editor = DBM_GetEditor();
    for (const auto& [bank, program] :
         {Pair{-1, 0}, {128, 0}, {0, -1}, {0, 128}, {INT32_MIN, 0}, {0, INT32_MAX}}) {
        SCOPED_TRACE(testing::Message() << "pair " << bank << "," << program);
        DBM_VVOICE_INFO info{};
        EXPECT_EQ(DBM_GetVirtualVoiceInfo(bank, program, &info), vbank4::kInvalidArgument);
        EXPECT_EQ(DBM_DeleteVirtualVoice(editor, bank, program), vbank4::kInvalidArgument);
        EXPECT_EQ(DBM_SetDefaultVirtualVoice(editor, bank, program), vbank4::kInvalidArgument);
        info = *InfoAt(0, 1);
        info.bank = bank;
        info.program = program;
        EXPECT_EQ(DBM_SetVirtualVoiceInfo(editor, &info), vbank4::kInvalidArgument);
        int32_t created = -5;
        EXPECT_EQ(
            DBM_CreateVirtualVoice(editor, bank == 0 ? program : bank, &created, kAurora, u"n"),
            vbank4::kInvalidArgument);
        EXPECT_EQ(created, -5);
    }
    int32_t params[6], value = -1;
    const std::u16string tooLong(260, u'n');
    for (const int32_t result :
         {DBM_GetAllVoice(nullptr), DBM_GetVoiceParameters(nullptr, params),
          DBM_GetVoiceParameters(kAurora, nullptr), DBM_GetXSynthData(nullptr),
          DBM_GetVirtualVoiceInfo(0, 0, nullptr), DBM_GetDefaultVirtualVoice(nullptr, &value),
          DBM_GetDefaultVirtualVoice(&value, nullptr),
          DBM_CreateVirtualVoice(editor, 0, nullptr, kAurora, u"n"),
          DBM_CreateVirtualVoice(editor, 0, &value, nullptr, u"n"),
          DBM_CreateVirtualVoice(editor, 0, &value, kAurora, nullptr),
          DBM_SetVirtualVoiceInfo(editor, nullptr),
          DBM_CreateVirtualVoice(editor, 0, &value, kAurora, tooLong.c_str()),
          DBM_CreateVirtualVoice(editor, 0, &value, (kAurora + tooLong).c_str(), u"n"),
          DBM_GetVoiceParameters(tooLong.c_str(), params)}) {
        EXPECT_EQ(result, vbank4::kInvalidArgument);
    }
    EXPECT_EQ(value, -1);

    // Texts filled to the last unit, voice ids of the wrong length, parameters out of range.
    using Info = DBM_VVOICE_INFO;
    const std::function<void(Info&)> damages[] = {
        [](Info& i) { std::fill_n(i.name, kDbmTextField, u'x'); },
        [](Info& i) { std::fill_n(i.primaryName, kDbmTextField, u'x'); },
        [](Info& i) { std::fill_n(i.primaryVoiceId, kDbmTextField, u'x'); },
        [](Info& i) { std::fill_n(i.secondaryVoiceId, kDbmTextField, u'x'); },
        [](Info& i) { i.primaryVoiceId[15] = u'\0'; },
        [](Info& i) { i.primaryVoiceId[0] = u'\0'; },
        [](Info& i) { i.secondaryVoiceId[0] = u'A'; },
        [](Info& i) { i.primaryParams[4] = 128; },
        [](Info& i) { i.secondaryParams[5] = -128; }};
    for (const auto& damage : damages) {
        Info info = *InfoAt(0, 1);
        damage(info);
        EXPECT_EQ(DBM_SetVirtualVoiceInfo(editor, &info), vbank4::kInvalidArgument);
    }
    ExpectNothingChanged();
    const std::u16string longest(259, u'n');  // the longest text that fits is taken whole
    EXPECT_EQ(NameAt(0, CreateVoice(editor, 0, kAurora, longest.c_str())), longest);
}

}  // namespace
