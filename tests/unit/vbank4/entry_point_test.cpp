// Every entry point refuses what it cannot work with, and changes nothing
// when it does.
#include <gtest/gtest.h>

#include <functional>

#include "vbank4/store.h"
#include "vbank4_test_support.h"

namespace {

using namespace testing_support;

// The entry points that take the editor's handle, called with `editor` and
// otherwise sound arguments.
std::vector<std::pair<const char*, std::function<int32_t(uint32_t)>>> EditorCalls() {
    static DBM_VVOICE_INFO record = [] {
        DBM_VVOICE_INFO info{};
        std::u16string(u"Edited").copy(info.name, 10);
        std::u16string(kSakura).copy(info.primaryVoiceId, 16);
        info.program = 1;
        return info;
    }();
    return {
        {"DBM_CreateVirtualVoice",
         [](uint32_t e) {
             int32_t program = 0;
             return DBM_CreateVirtualVoice(e, 0, &program, kAurora, u"n");
         }},
        {"DBM_SetVirtualVoiceInfo", [](uint32_t e) { return DBM_SetVirtualVoiceInfo(e, &record); }},
        {"DBM_SetDefaultVirtualVoice",
         [](uint32_t e) { return DBM_SetDefaultVirtualVoice(e, 0, 1); }},
        {"DBM_DeleteVirtualVoice", [](uint32_t e) { return DBM_DeleteVirtualVoice(e, 0, 1); }},
        {"DBM_CommitEditor", [](uint32_t e) { return DBM_CommitEditor(e); }},
        {"DBM_UpdateUserRegistory", [](uint32_t e) { return DBM_UpdateUserRegistory(e); }},
        {"DBM_RollBackEditor", [](uint32_t e) { return DBM_RollBackEditor(e); }},
    };
}

TEST(EntryPoints, EveryOneRefusesBeforeInit) {
    SampleHome home;
    DbmVoiceList* list = nullptr;
    int32_t params[6], bank = 0, program = 0;
    DBM_VVOICE_INFO info{};
    XSynthGroupList groups;
    EXPECT_EQ(DBM_Delete(), vbank4::kNotInitialized);
    EXPECT_EQ(DBM_GetAllVoice(&list), vbank4::kNotInitialized);
    EXPECT_EQ(DBM_GetVoiceParameters(kAurora, params), vbank4::kNotInitialized);
    EXPECT_EQ(DBM_GetXSynthData(&groups), vbank4::kNotInitialized);
    EXPECT_EQ(DBM_GetVirtualVoiceInfo(0, 0, &info), vbank4::kNotInitialized);
    EXPECT_EQ(DBM_GetDefaultVirtualVoice(&bank, &program), vbank4::kNotInitialized);
    EXPECT_EQ(DBM_BackupAllVirtualVoice(), vbank4::kNotInitialized);
    EXPECT_EQ(DBM_GetEditor(), 0u);
    for (const auto& [name, call] : EditorCalls()) {
        EXPECT_EQ(call(1), vbank4::kNotInitialized) << name;
    }
    EXPECT_EQ(list, nullptr);
    EXPECT_FALSE(std::filesystem::exists(home / "store.backup.json"));
}

class EntryPointTest : public SampleDatabase {
protected:
    // Whatever was refused, neither the view nor the store has changed.
    void ExpectNothingChanged() {
        EXPECT_EQ(VirtualVoiceCount(), 7);
        EXPECT_EQ(NameAt(0, 1), u"Sakura Soft");
        EXPECT_EQ(DefaultPair(), (std::pair<int32_t, int32_t>{0, 0}));
        EXPECT_EQ(ReadFile(home_ / "store.json"), storeBefore_);
    }
    std::string storeBefore_ = ReadFile(home_ / "store.json");
};

TEST_F(EntryPointTest, EditingCallsRefuseEveryHandleButTheOpenOne) {
    for (const auto& [name, call] : EditorCalls()) {
        EXPECT_EQ(call(0), vbank4::kBadHandle) << name << " before any editor";
    }
    const uint32_t retired = DBM_GetEditor();
    const uint32_t editor = DBM_GetEditor();
    for (const uint32_t bad : {0u, retired, editor + 1, editor - 2, 0xFFFFFFFFu}) {
        for (const auto& [name, call] : EditorCalls()) {
            EXPECT_EQ(call(bad), vbank4::kBadHandle) << name << " with " << bad;
        }
    }
    ExpectNothingChanged();
    EXPECT_FALSE(std::filesystem::exists(home_ / "registry.json"));
    // The open handle itself works for every one of them.
    for (const auto& [name, call] : EditorCalls()) {
        EXPECT_EQ(call(editor), 0) << name;
    }
}

TEST_F(EntryPointTest, PairsOutsideTheRangeAreRefused) {
    const uint32_t editor = DBM_GetEditor();
    const std::pair<int32_t, int32_t> outside[] = {
        {-1, 0}, {128, 0}, {0, -1}, {0, 128}, {INT32_MIN, 0}, {0, INT32_MAX}, {-1, -1}};
    for (const auto& [bank, program] : outside) {
        SCOPED_TRACE(testing::Message() << "pair " << bank << "," << program);
        DBM_VVOICE_INFO info{};
        EXPECT_EQ(DBM_GetVirtualVoiceInfo(bank, program, &info), vbank4::kInvalidArgument);
        EXPECT_EQ(DBM_DeleteVirtualVoice(editor, bank, program), vbank4::kInvalidArgument);
        EXPECT_EQ(DBM_SetDefaultVirtualVoice(editor, bank, program), vbank4::kInvalidArgument);
        info = *InfoAt(0, 1);
        info.bank = bank;
        info.program = program;
        EXPECT_EQ(DBM_SetVirtualVoiceInfo(editor, &info), vbank4::kInvalidArgument);
    }
    for (const int32_t bank : {-1, 128, INT32_MIN, INT32_MAX}) {
        int32_t program = -5;
        EXPECT_EQ(DBM_CreateVirtualVoice(editor, bank, &program, kAurora, u"n"),
                  vbank4::kInvalidArgument);
        EXPECT_EQ(program, -5);
    }
    ExpectNothingChanged();
}

TEST_F(EntryPointTest, NullPointersAreRefused) {
    const uint32_t editor = DBM_GetEditor();
    int32_t params[6], value = 0;
    EXPECT_EQ(DBM_GetAllVoice(nullptr), vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_GetVoiceParameters(nullptr, params), vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_GetVoiceParameters(kAurora, nullptr), vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_GetXSynthData(nullptr), vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_GetVirtualVoiceInfo(0, 0, nullptr), vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_GetDefaultVirtualVoice(nullptr, &value), vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_GetDefaultVirtualVoice(&value, nullptr), vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_CreateVirtualVoice(editor, 0, nullptr, kAurora, u"n"), vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_CreateVirtualVoice(editor, 0, &value, nullptr, u"n"), vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_CreateVirtualVoice(editor, 0, &value, kAurora, nullptr),
              vbank4::kInvalidArgument);
    EXPECT_EQ(DBM_SetVirtualVoiceInfo(editor, nullptr), vbank4::kInvalidArgument);
    ExpectNothingChanged();
}

TEST_F(EntryPointTest, TextsMustEndWithinTheirFieldAndVoiceIdsFit) {
    const uint32_t editor = DBM_GetEditor();
    const std::u16string longest(259, u'n');
    const std::u16string tooLong(260, u'n');
    int32_t program = -1;
    EXPECT_EQ(DBM_CreateVirtualVoice(editor, 0, &program, kAurora, tooLong.c_str()),
              vbank4::kInvalidArgument);
    EXPECT_EQ(
        DBM_CreateVirtualVoice(editor, 0, &program, (u"VB4S00AURORA0001" + tooLong).c_str(), u"n"),
        vbank4::kInvalidArgument);
    int32_t params[6];
    EXPECT_EQ(DBM_GetVoiceParameters(tooLong.c_str(), params), vbank4::kInvalidArgument);
    EXPECT_EQ(program, -1);

    // Each text field of the record, filled to the last unit with no terminator.
    using Field = char16_t(DBM_VVOICE_INFO::*)[kDbmTextField];
    for (const Field field :
         {&DBM_VVOICE_INFO::name, &DBM_VVOICE_INFO::primaryName, &DBM_VVOICE_INFO::primaryVoiceId,
          &DBM_VVOICE_INFO::secondaryVoiceId}) {
        DBM_VVOICE_INFO info = *InfoAt(0, 1);
        std::fill(std::begin(info.*field), std::end(info.*field), u'x');
        EXPECT_EQ(DBM_SetVirtualVoiceInfo(editor, &info), vbank4::kInvalidArgument);
    }
    // Voice ids of the wrong length, parameters out of range.
    const auto refuses = [&](const std::function<void(DBM_VVOICE_INFO&)>& damage) {
        DBM_VVOICE_INFO info = *InfoAt(0, 1);
        damage(info);
        return DBM_SetVirtualVoiceInfo(editor, &info) == vbank4::kInvalidArgument;
    };
    EXPECT_TRUE(refuses([](auto& i) { i.primaryVoiceId[15] = u'\0'; }));
    EXPECT_TRUE(refuses([](auto& i) { i.primaryVoiceId[0] = u'\0'; }));
    EXPECT_TRUE(refuses([](auto& i) { std::u16string(u"ABC").copy(i.secondaryVoiceId, 3); }));
    EXPECT_TRUE(refuses([](auto& i) { i.primaryParams[4] = 128; }));
    EXPECT_TRUE(refuses([](auto& i) { i.secondaryParams[5] = -128; }));
    ExpectNothingChanged();

    // The longest text that fits is taken whole.
    ASSERT_EQ(DBM_CreateVirtualVoice(editor, 0, &program, kAurora, longest.c_str()), 0);
    EXPECT_EQ(NameAt(0, program), longest);
}

TEST(EntryPoints, TheThirteenUnusedOnesAnswerNotSupported) {
    SampleHome home;
    for (const bool initialized : {false, true}) {
        if (initialized) {
            ASSERT_EQ(DBM_Init(), 0);
        }
        SCOPED_TRACE(initialized ? "initialized" : "not initialized");
        // Null and nonsense arguments: they must not even be looked at.
        EXPECT_EQ(DBM_CopyVirtualVoice(0, -1, 999, 0, nullptr), vbank4::kNotSupported);
        EXPECT_EQ(DBM_GetVersionString(nullptr, -1), vbank4::kNotSupported);
        EXPECT_EQ(DBM_SetVirtualVoiceParameters(7, 0, 0, nullptr, nullptr), vbank4::kNotSupported);
        EXPECT_EQ(DBM_SetVirtualVoiceName(7, 0, 0, nullptr), vbank4::kNotSupported);
        EXPECT_EQ(DBM_GetVirtualVoiceName(0, 0, nullptr, 5), vbank4::kNotSupported);
        EXPECT_EQ(DBM_GetVirtualVoiceParameters(0, 0, nullptr, nullptr), vbank4::kNotSupported);
        EXPECT_EQ(DBM_GetVoice(nullptr, nullptr), vbank4::kNotSupported);
        EXPECT_EQ(DBM_GetExpDB(nullptr), vbank4::kNotSupported);
        EXPECT_EQ(DBM_GetVirtualExpInfo(0, 0, nullptr), vbank4::kNotSupported);
        EXPECT_EQ(DBM_GetVirtualExpItems(0, 0, nullptr, nullptr), vbank4::kNotSupported);
        EXPECT_EQ(DBM_DeleteVirtualExpItems(1, 0, 0), vbank4::kNotSupported);
        EXPECT_EQ(DBM_DeleteVirtualExpInfo(1, 0, 0), vbank4::kNotSupported);
        EXPECT_EQ(DBM_GetLibraryVersion(nullptr, nullptr), vbank4::kNotSupported);
    }
    DBM_Delete();
}

}  // namespace
