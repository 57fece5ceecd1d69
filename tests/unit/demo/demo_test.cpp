// The demo host's own parts: command line, working folder, status texts and
// the text file it hands the module as its text module.
#include <gtest/gtest.h>

#include "demo_options.h"
#include "demo_workspace.h"
#include "kora4/kora4.h"
#include "status_text.h"
#include "temp_folder.h"
#include "text_file_module.h"

namespace kora::demo {
namespace {

using hosts::TextFileModule;

namespace fs = std::filesystem;

TEST(DemoOptions, EveryOptionAndTheRefusals) {
    std::string error;
    const std::optional<DemoOptions> none = ParseDemoOptions({}, nullptr);
    EXPECT_FALSE(!none || none->readOnly || none->reset || none->translation || none->work ||
                 none->screenshot);
    const std::optional<DemoOptions> all = ParseDemoOptions(
        {u"--read-only", u"--lang", u"ja.txt", u"--work", u"w", u"--reset", u"--screenshot", u"s"},
        &error);
    ASSERT_TRUE(all) << error;
    EXPECT_TRUE(all->readOnly && all->reset);
    EXPECT_EQ(all->translation, fs::path("ja.txt"));
    EXPECT_EQ(all->work, fs::path("w"));
    EXPECT_EQ(all->screenshot, fs::path("s"));
    EXPECT_FALSE(ParseDemoOptions({u"--readonly"}, &error));
    EXPECT_EQ(error, "unknown option --readonly");
    EXPECT_FALSE(ParseDemoOptions({u"--reset", u"--lang"}, &error));
    EXPECT_EQ(error, "--lang needs a value");
}

using testing_support::ReadFile;
using testing_support::WriteFile;

TEST(DemoWorkspace, CopiesTheSamplesKeepsTheCopiesUntilAResetAndReportsAMissingOne) {
    const testing_support::TempFolder root;
    const fs::path samples = root / "samples";
    fs::create_directories(samples / "vbank4");
    WriteFile(samples / "sequence.json", "sequence");
    WriteFile(samples / "vbank4" / "catalog.json", "catalog");
    WriteFile(samples / "vbank4" / "store.json", "store");
    std::string error;
    const std::optional<Workspace> work = PrepareWorkspace(samples, root / "work", false, &error);
    ASSERT_TRUE(work) << error;
    EXPECT_EQ(std::pair(work->sequence, work->database),
              std::pair(root / "work" / kSequenceFileName, root / "work" / "vbank4"));
    EXPECT_EQ(ReadFile(work->database / "catalog.json"), "catalog");

    WriteFile(work->sequence, "edited");
    WriteFile(work->database / "store.json", "committed");
    WriteFile(work->database / "registry.json", "registry");
    WriteFile(root / "work" / "notes.txt", "mine");
    ASSERT_TRUE(PrepareWorkspace(samples, root / "work", false, &error));
    EXPECT_EQ(ReadFile(work->sequence), "edited");
    EXPECT_EQ(ReadFile(work->database / "store.json"), "committed");
    EXPECT_EQ(ReadFile(samples / "sequence.json"), "sequence");
    // A reset also drops what the database wrote, but nothing else of the folder.
    ASSERT_TRUE(PrepareWorkspace(samples, root / "work", true, &error));
    EXPECT_EQ(ReadFile(work->sequence), "sequence");
    EXPECT_EQ(ReadFile(work->database / "store.json"), "store");
    EXPECT_FALSE(fs::exists(work->database / "registry.json"));
    EXPECT_EQ(ReadFile(root / "work" / "notes.txt"), "mine");

    fs::remove(samples / "vbank4" / "store.json");
    EXPECT_FALSE(PrepareWorkspace(samples, root / "other", false, &error));
    EXPECT_NE(error.find("sample missing"), std::string::npos) << error;
    EXPECT_NE(error.find("store.json"), std::string::npos) << error;
}

std::u16string Text(const TextFileModule& module, const char16_t* key) {
    const char16_t* text = module.Lookup(key);
    return text == nullptr ? u"<none>" : *text ? text : u"<empty>";
}

TEST(TextFileModule, ReadsKeysTextsAndTheLanguageMatchesKeysExactlyAndRefusesOtherLines) {
    std::string error;
    const std::optional<TextFileModule> module = TextFileModule::Parse(
        "\xEF\xBB\xBF# comment\r\n\nlanguage = 1041\r\n101=Singer \xE2\x98\x85\r\n"
        "23024=^  Copy  \n5=\n 7 =spaced key\n",
        &error);
    ASSERT_TRUE(module) << error;
    EXPECT_EQ(module->LanguageId(), 1041u);
    EXPECT_EQ(module->Size(), 4u);
    EXPECT_EQ(Text(*module, u"101"), u"Singer \u2605");
    EXPECT_EQ(Text(*module, u"23024"), u"^  Copy  ");  // blanks on both sides stay
    EXPECT_EQ(Text(*module, u"5"), u"<empty>");        // an empty text is an entry
    EXPECT_EQ(Text(*module, u"7"), u"spaced key");
    EXPECT_EQ(Text(*module, u"05"), u"<none>");
    EXPECT_EQ(Text(*module, u" 5"), u"<none>");
    EXPECT_EQ(module->Lookup(nullptr), nullptr);
    EXPECT_EQ(TextFileModule::Parse("5=five\n", nullptr)->LanguageId(), 1033u);  // the default
    for (const char* bad :
         {"101 Singer Editor\n", "name=Singer\n", "=text\n", "language=ja\n", "12a=text\n"}) {
        EXPECT_FALSE(TextFileModule::Parse(std::string("# ok\n") + bad, &error)) << bad;
        EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
    }
    EXPECT_FALSE(TextFileModule::Load("/no/such/folder/ja.txt", &error));
    EXPECT_NE(error.find("cannot read"), std::string::npos);
}

TEST(TextFileModule, TheShippedJapaneseFileTranslatesTheEditor) {
    std::string error;
    const std::optional<TextFileModule> module = TextFileModule::Load(DEMO_TRANSLATION_JA, &error);
    ASSERT_TRUE(module) << error;
    EXPECT_EQ(module->LanguageId(), 1041u);
    // The copy buttons keep their arrow and two blanks; string 31 its number.
    EXPECT_EQ(Text(*module, u"23024").substr(0, 3), u"^  ");
    EXPECT_EQ(Text(*module, u"23023").substr(0, 3), u"v  ");
    EXPECT_NE(Text(*module, u"31").find(u"%d"), std::u16string::npos);
}

}  // namespace
}  // namespace kora::demo
