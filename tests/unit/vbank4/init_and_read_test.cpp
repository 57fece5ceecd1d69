// DBM_Init's results, where the database lives, and the read entry points.
#include <gtest/gtest.h>

#include "vbank4_test_support.h"

namespace {

using namespace testing_support;

class InitTest : public ::testing::Test {
protected:
    void TearDown() override { DBM_Delete(); }
    SampleHome home_;
};

TEST_F(InitTest, SampleOpensAndASecondInitAnswersOne) {
    EXPECT_EQ(DBM_Init(), 0);
    EXPECT_EQ(DBM_Init(), vbank4::kAlreadyInitialized);
    EXPECT_EQ(NameAt(0, 0), u"Morning Choir");
}

TEST_F(InitTest, MissingStoreIsAnEmptyDatabaseAndTheFirstCommitCreatesIt) {
    std::filesystem::remove(home_ / "store.json");
    ASSERT_EQ(DBM_Init(), 0);
    EXPECT_EQ(VirtualVoiceCount(), 0);
    int32_t bank = 77, program = 77;
    EXPECT_EQ(DBM_GetDefaultVirtualVoice(&bank, &program), kDbmNoVirtualVoice);
    EXPECT_EQ(bank, 77);  // untouched on failure
    const uint32_t editor = DBM_GetEditor();
    EXPECT_EQ(CreateVoice(editor, 5, kTindra, u"First"), 0);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    EXPECT_TRUE(std::filesystem::exists(home_ / "store.json"));
}

TEST_F(InitTest, EachStartFailureHasItsOwnCode) {
    const std::string store = ReadFile(home_ / "store.json");
    const std::string catalog = ReadFile(home_ / "catalog.json");

    ::setenv("VBANK4_HOME", (home_.folder().path() / "nowhere").c_str(), 1);
    EXPECT_EQ(DBM_Init(), vbank4::kInitNoDataFolder);
    ::setenv("VBANK4_HOME", (home_ / "catalog.json").c_str(), 1);  // a file, not a folder
    EXPECT_EQ(DBM_Init(), vbank4::kInitNoDataFolder);
    ::setenv("VBANK4_HOME", home_.folder().path().c_str(), 1);

    std::filesystem::remove(home_ / "catalog.json");
    EXPECT_EQ(DBM_Init(), vbank4::kInitCatalogMissing);
    WriteFile(home_ / "catalog.json", catalog.substr(0, catalog.size() / 2));
    EXPECT_EQ(DBM_Init(), vbank4::kInitCatalogInvalid);
    WriteFile(home_ / "catalog.json", catalog);

    WriteFile(home_ / "store.json", "{\"format\": \"vbank4-store\", garbage");
    EXPECT_EQ(DBM_Init(), vbank4::kInitStoreInvalid);
    std::filesystem::remove(home_ / "store.json");
    std::filesystem::create_directory(home_ / "store.json");  // there, but not readable as a file
    EXPECT_EQ(DBM_Init(), vbank4::kInitStoreInvalid);
    std::filesystem::remove(home_ / "store.json");

    // Nothing half-open stays behind: every entry point still refuses.
    EXPECT_EQ(DBM_GetEditor(), 0u);
    DBM_VVOICE_INFO info{};
    EXPECT_EQ(DBM_GetVirtualVoiceInfo(0, 0, &info), vbank4::kNotInitialized);

    WriteFile(home_ / "store.json", store);
    EXPECT_EQ(DBM_Init(), 0);
    EXPECT_EQ(VirtualVoiceCount(), 7);
}

TEST_F(InitTest, TruncatedStoreIsRefusedNotReadAsEmpty) {
    const std::string store = ReadFile(home_ / "store.json");
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{1}, store.size() / 3, store.size() / 2, store.size() - 3}) {
        WriteFile(home_ / "store.json", store.substr(0, cut));
        EXPECT_EQ(DBM_Init(), vbank4::kInitStoreInvalid) << "cut at " << cut;
    }
}

TEST_F(InitTest, FolderDefaultsToThePerUserDataFolder) {
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    TempFolder user;
    const auto folder = user.path() / ".local" / "share" / "vbank4";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(kSampleDir / "catalog.json", folder / "catalog.json");
    ::unsetenv("VBANK4_HOME");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", user.path().c_str(), 1);
    EXPECT_EQ(DBM_Init(), 0);
    EXPECT_EQ(VirtualVoiceCount(), 0);
    DBM_Delete();

    // XDG_DATA_HOME comes first; the sample store there has singers.
    const auto xdg = user.path() / "xdg";
    std::filesystem::create_directories(xdg / "vbank4");
    std::filesystem::copy_file(kSampleDir / "catalog.json", xdg / "vbank4" / "catalog.json");
    std::filesystem::copy_file(kSampleDir / "store.json", xdg / "vbank4" / "store.json");
    ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    EXPECT_EQ(DBM_Init(), 0);
    EXPECT_EQ(VirtualVoiceCount(), 7);
    DBM_Delete();

    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(DBM_Init(), vbank4::kInitNoDataFolder);
    if (oldHome != nullptr) ::setenv("HOME", savedHome.c_str(), 1);
}

using ReadTest = SampleDatabase;

TEST_F(ReadTest, InstalledVoiceListIsCompleteTerminatedAndStable) {
    DbmVoiceList* list = nullptr;
    ASSERT_EQ(DBM_GetAllVoice(&list), 0);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count, 12);
    for (int32_t i = 0; i < list->count; ++i) {
        const DbmVoiceEntry& entry = list->entries[i];
        // The module copies entries up to the first null `extra`.
        ASSERT_NE(entry.extra, nullptr);
        ASSERT_NE(entry.name, nullptr);
        EXPECT_EQ(std::u16string(entry.voiceId).size(), 16u);
        EXPECT_GE(entry.bank, 0);
        EXPECT_LE(entry.bank, 127);
    }
    EXPECT_EQ(list->entries[12].name, nullptr);
    EXPECT_EQ(list->entries[12].extra, nullptr);
    EXPECT_EQ(std::u16string(list->entries[2].name), u"Élodie");
    EXPECT_EQ(std::u16string(list->entries[3].name), u"さくら");

    // Still the same list after edits: it belongs to the library until DBM_Delete.
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 0, kAurora, u"x");
    DbmVoiceList* again = nullptr;
    ASSERT_EQ(DBM_GetAllVoice(&again), 0);
    EXPECT_EQ(again, list);
    EXPECT_EQ(std::u16string(list->entries[2].name), u"Élodie");
}

TEST_F(ReadTest, VoiceParametersAreTheFiveDefaultsAndAZero) {
    int32_t params[6] = {99, 99, 99, 99, 99, 99};
    ASSERT_EQ(DBM_GetVoiceParameters(kElodie, params), 0);
    EXPECT_EQ(std::vector<int32_t>(params, params + 6),
              (std::vector<int32_t>{25, 10, 0, -10, 3, 0}));
    EXPECT_EQ(DBM_GetVoiceParameters(u"vb4s00elodie0003", params), vbank4::kUnknownVoice);
    EXPECT_EQ(DBM_GetVoiceParameters(u"", params), vbank4::kUnknownVoice);
}

TEST_F(ReadTest, CrossSynthesisGroupsReplaceTheCallersList) {
    XSynthGroupList groups{{u"stale", {u"old"}}};
    ASSERT_EQ(DBM_GetXSynthData(&groups), 0);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].name, u"Light sopranos");
    EXPECT_EQ(groups[0].memberIds,
              (std::vector<std::u16string>{kAurora, kElodie, kSakura, u"VB4S02ZOE___0010"}));
}

TEST_F(ReadTest, VirtualVoiceInfoFillsEveryField) {
    const auto info = InfoAt(0, 0);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->bank, 0);
    EXPECT_EQ(info->program, 0);
    EXPECT_EQ(std::u16string(info->name), u"Morning Choir");
    EXPECT_EQ(std::u16string(info->primaryName), u"Aurora");
    EXPECT_EQ(std::u16string(info->primaryVoiceId), kAurora);
    EXPECT_EQ(std::u16string(info->secondaryVoiceId), kElodie);
    EXPECT_EQ(std::vector<int32_t>(info->primaryParams, info->primaryParams + 5),
              (std::vector<int32_t>{12, 18, 15, -5, 0}));
    EXPECT_EQ(std::vector<int32_t>(info->secondaryParams, info->secondaryParams + 6),
              (std::vector<int32_t>{20, 10, 0, -10, 3, -20}));
    EXPECT_EQ(NameAt(1, 1), u"ハルカ Live");
    EXPECT_EQ(NameAt(2, 0), u"Café Mireille");

    DBM_VVOICE_INFO untouched{};
    untouched.bank = 55;
    EXPECT_EQ(DBM_GetVirtualVoiceInfo(0, 3, &untouched), kDbmNoVirtualVoice);
    EXPECT_EQ(DBM_GetVirtualVoiceInfo(127, 127, &untouched), kDbmNoVirtualVoice);
    EXPECT_EQ(untouched.bank, 55);
    EXPECT_EQ(DefaultPair(), (std::pair<int32_t, int32_t>{0, 0}));
}

}  // namespace
