// DBM_Init's results and the refusal of damaged or oversized files.
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

}  // namespace
