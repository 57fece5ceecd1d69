// DBM_Init's results, where the database lives, and the read entry points.
#include <gtest/gtest.h>

#include "standins/file_io.h"
#include "vbank4/store.h"
#include "vbank4_test_support.h"

namespace {

using namespace testing_support;

class InitTest : public ::testing::Test {
protected:
    void TearDown() override { DBM_Delete(); }
    SampleHome home_;
};

TEST_F(InitTest, EachStartFailureHasItsOwnCodeAndLeavesNothingOpen) {
    EXPECT_EQ(DBM_Init(), 0);
    EXPECT_EQ(DBM_Init(), vbank4::kAlreadyInitialized);
    DBM_Delete();
    const std::string store = ReadFile(home_ / "store.json");
    const std::string catalog = ReadFile(home_ / "catalog.json");
    for (const auto& folder : {home_ / "nowhere", home_ / "catalog.json"}) {
        ::setenv("VBANK4_HOME", folder.c_str(), 1);
        EXPECT_EQ(DBM_Init(), vbank4::kInitNoDataFolder);
    }
    ::setenv("VBANK4_HOME", home_.path().c_str(), 1);
    std::filesystem::remove(home_ / "catalog.json");
    EXPECT_EQ(DBM_Init(), vbank4::kInitCatalogMissing);
    WriteFile(home_ / "catalog.json", catalog.substr(0, catalog.size() / 2));
    EXPECT_EQ(DBM_Init(), vbank4::kInitCatalogInvalid);
    WriteFile(home_ / "catalog.json", catalog);
    // A cut-short store is refused, not read as empty.
    for (const std::size_t cut : {std::size_t{0}, store.size() - 3}) {
        WriteFile(home_ / "store.json", store.substr(0, cut));
        EXPECT_EQ(DBM_Init(), vbank4::kInitStoreInvalid) << cut;
    }
    std::filesystem::remove(home_ / "store.json");
    std::filesystem::create_directory(home_ / "store.json");  // there, but not a file
    EXPECT_EQ(DBM_Init(), vbank4::kInitStoreInvalid);
    EXPECT_EQ(DBM_GetEditor(), 0u);
    DBM_VVOICE_INFO info{};
    EXPECT_EQ(DBM_GetVirtualVoiceInfo(0, 0, &info), vbank4::kNotInitialized);

    // A missing store is an empty database; the first commit creates it.
    std::filesystem::remove(home_ / "store.json");
    ASSERT_EQ(DBM_Init(), 0);
    EXPECT_EQ(VirtualVoiceCount(), 0);
    EXPECT_EQ(DefaultPair(), (Pair{-1, -1}));
    const uint32_t editor = DBM_GetEditor();
    EXPECT_EQ(CreateVoice(editor, 5, kTindra, u"First"), 0);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    EXPECT_TRUE(std::filesystem::exists(home_ / "store.json"));
}

// `document` with a member nested `depth` deep placed first.
std::string WithNestedMember(const std::string& document, std::size_t depth) {
    return "{\"zzz\": " + std::string(depth, '[') + std::string(depth, ']') + "," +
           document.substr(document.find('{') + 1);
}

TEST_F(InitTest, DeepOrHugeFilesAreInvalidAndReadNoFurther) {
    for (const auto& [file, invalid] : {std::pair{"catalog.json", vbank4::kInitCatalogInvalid},
                                        std::pair{"store.json", vbank4::kInitStoreInvalid}}) {
        SCOPED_TRACE(file);
        const std::string original = ReadFile(home_ / file);
        WriteFile(home_ / file, WithNestedMember(original, 60));  // unknown, and read past
        EXPECT_EQ(DBM_Init(), 0);
        DBM_Delete();
        WriteFile(home_ / file, WithNestedMember(original, 100000));
        EXPECT_EQ(DBM_Init(), invalid);
        WriteFile(home_ / file, original + std::string(standins::kMaxFileBytes, ' '));
        EXPECT_EQ(DBM_Init(), invalid);
        WriteFile(home_ / file, original);
    }
}

TEST_F(InitTest, AStoreLinkIsFollowedAndKeptAndADanglingOneIsNoEmptyStore) {
    namespace fs = std::filesystem;
    fs::create_directory(home_ / "elsewhere");
    fs::rename(home_ / "store.json", home_ / "elsewhere" / "store.json");
    fs::create_symlink("nowhere/store.json", home_ / "store.json");
    EXPECT_EQ(DBM_Init(), vbank4::kInitStoreInvalid);
    fs::remove(home_ / "store.json");
    fs::create_symlink("elsewhere/store.json", home_ / "store.json");
    ASSERT_EQ(DBM_Init(), 0);
    const uint32_t editor = DBM_GetEditor();
    for (int k = 0; k < 128; ++k) CreateVoice(editor, 3, kAurora, u"Linked");  // rewrites the store
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    EXPECT_TRUE(fs::is_symlink(home_ / "store.json"));
    EXPECT_EQ(vbank4::ParseStore(ReadFile(home_ / "elsewhere" / "store.json")).voices.size(), 135u);
}

TEST_F(InitTest, FolderDefaultsToThePerUserDataFolder) {
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    TempFolder user;
    std::filesystem::create_directories(user / ".local/share/vbank4");
    std::filesystem::create_directories(user / "xdg/vbank4");
    std::filesystem::copy_file(kSampleDir / "catalog.json",
                               user / ".local/share/vbank4/catalog.json");
    std::filesystem::copy(kSampleDir, user / "xdg/vbank4",
                          std::filesystem::copy_options::recursive);
    ::unsetenv("VBANK4_HOME");
    ::setenv("HOME", user.path().c_str(), 1);
    ::setenv("XDG_DATA_HOME", (user / "xdg").c_str(), 1);  // comes first
    EXPECT_EQ(DBM_Init(), 0);
    EXPECT_EQ(VirtualVoiceCount(), 7);
    DBM_Delete();
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DBM_Init(), 0);
    EXPECT_EQ(VirtualVoiceCount(), 0);
    DBM_Delete();
    ::unsetenv("HOME");
    EXPECT_EQ(DBM_Init(), vbank4::kInitNoDataFolder);
    if (oldHome != nullptr) ::setenv("HOME", savedHome.c_str(), 1);
}

using ReadTest = SampleDatabase;

TEST_F(ReadTest, InstalledVoicesTheirParametersAndGroups) {
    DbmVoiceList* list = nullptr;
    ASSERT_EQ(DBM_GetAllVoice(&list), 0);
    ASSERT_EQ(list->count, 12);
    for (int32_t i = 0; i < list->count; ++i) {
        ASSERT_NE(list->entries[i].extra, nullptr);  // the module copies up to a null extra
        ASSERT_NE(list->entries[i].name, nullptr);
        EXPECT_EQ(std::u16string(list->entries[i].voiceId).size(), 16u);
    }
    EXPECT_EQ(list->entries[12].name, nullptr);
    EXPECT_EQ(list->entries[12].extra, nullptr);
    EXPECT_EQ(std::u16string(list->entries[3].name), u"さくら");
    CreateVoice(DBM_GetEditor(), 0, kAurora, u"x");
    DbmVoiceList* again = nullptr;  // the library's until DBM_Delete
    ASSERT_EQ(DBM_GetAllVoice(&again), 0);
    EXPECT_EQ(again, list);
    EXPECT_EQ(std::u16string(list->entries[2].name), u"Élodie");

    int32_t params[6] = {99, 99, 99, 99, 99, 99};
    ASSERT_EQ(DBM_GetVoiceParameters(kElodie, params), 0);
    EXPECT_EQ(std::to_array(params), (std::array<int32_t, 6>{25, 10, 0, -10, 3, 0}));
    EXPECT_EQ(DBM_GetVoiceParameters(u"vb4s00elodie0003", params), vbank4::kUnknownVoice);
    EXPECT_EQ(DBM_GetVoiceParameters(u"", params), vbank4::kUnknownVoice);

    XSynthGroupList groups{{u"stale", {u"old"}}};  // replaced, not added to
    ASSERT_EQ(DBM_GetXSynthData(&groups), 0);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].name, u"Light sopranos");
    EXPECT_EQ(groups[0].memberIds,
              (std::vector<std::u16string>{kAurora, kElodie, kSakura, u"VB4S02ZOE___0010"}));
}

TEST_F(ReadTest, VirtualVoiceInfoFillsEveryField) {
    const auto info = InfoAt(0, 0);
    ASSERT_TRUE(info);
    EXPECT_EQ(std::tuple(info->bank, info->program, std::u16string(info->name),
                         std::u16string(info->primaryName), std::u16string(info->primaryVoiceId),
                         std::u16string(info->secondaryVoiceId), std::to_array(info->primaryParams),
                         std::to_array(info->secondaryParams)),
              std::tuple(0, 0, u"Morning Choir", u"Aurora", kAurora, kElodie,
                         std::array{12, 18, 15, -5, 0}, std::array{20, 10, 0, -10, 3, -20}));
    EXPECT_EQ(NameAt(1, 1), u"ハルカ Live");
    EXPECT_EQ(NameAt(2, 0), u"Café Mireille");
    DBM_VVOICE_INFO untouched{};
    untouched.bank = 55;
    EXPECT_EQ(DBM_GetVirtualVoiceInfo(0, 3, &untouched), kDbmNoVirtualVoice);
    EXPECT_EQ(DBM_GetVirtualVoiceInfo(127, 127, &untouched), kDbmNoVirtualVoice);
    EXPECT_EQ(untouched.bank, 55);
    EXPECT_EQ(DefaultPair(), (Pair{0, 0}));
}

}  // namespace
