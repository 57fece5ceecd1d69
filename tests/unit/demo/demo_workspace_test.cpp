#include "demo_workspace.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kora::demo {
namespace {

namespace fs = std::filesystem;

class DemoWorkspace : public testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("kora4-demo-" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root / "samples" / "vbank4");
        Write(root / "samples" / "sequence.json", "sequence");
        Write(root / "samples" / "vbank4" / "catalog.json", "catalog");
        Write(root / "samples" / "vbank4" / "store.json", "store");
    }
    void TearDown() override { fs::remove_all(root); }

    static void Write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path root;
};

TEST_F(DemoWorkspace, CopiesTheSamplesAndKeepsThemAsShipped) {
    std::string error;
    const std::optional<Workspace> work =
        PrepareWorkspace(root / "samples", root / "work", false, &error);
    ASSERT_TRUE(work) << error;
    EXPECT_EQ(work->sequence, root / "work" / kSequenceFileName);
    EXPECT_EQ(work->database, root / "work" / "vbank4");
    EXPECT_EQ(Read(work->sequence), "sequence");
    EXPECT_EQ(Read(work->database / "catalog.json"), "catalog");
    EXPECT_EQ(Read(work->database / "store.json"), "store");

    // The demo's changes stay in the copies from one run to the next...
    Write(work->sequence, "edited");
    Write(work->database / "store.json", "committed");
    Write(work->database / "registry.json", "registry");
    ASSERT_TRUE(PrepareWorkspace(root / "samples", root / "work", false, &error));
    EXPECT_EQ(Read(work->sequence), "edited");
    EXPECT_EQ(Read(work->database / "store.json"), "committed");
    EXPECT_EQ(Read(root / "samples" / "sequence.json"), "sequence");

    // ...until a reset, which also drops what the database wrote, but
    // nothing else of the folder.
    Write(root / "work" / "notes.txt", "mine");
    ASSERT_TRUE(PrepareWorkspace(root / "samples", root / "work", true, &error));
    EXPECT_EQ(Read(work->sequence), "sequence");
    EXPECT_EQ(Read(work->database / "store.json"), "store");
    EXPECT_FALSE(fs::exists(work->database / "registry.json"));
    EXPECT_EQ(Read(root / "work" / "notes.txt"), "mine");
}

TEST_F(DemoWorkspace, AMissingSampleIsReported) {
    fs::remove(root / "samples" / "vbank4" / "store.json");
    std::string error;
    EXPECT_FALSE(PrepareWorkspace(root / "samples", root / "work", false, &error));
    EXPECT_NE(error.find("sample missing"), std::string::npos) << error;
    EXPECT_NE(error.find("store.json"), std::string::npos) << error;
}

}  // namespace
}  // namespace kora::demo
