#include "text_file_module.h"

#include <gtest/gtest.h>

#include <optional>

namespace kora::demo {
namespace {

std::u16string Text(const TextFileModule& module, const char16_t* key) {
    const char16_t* text = module.Lookup(key);
    return text == nullptr ? u"<none>" : text;
}

TEST(TextFileModule, ReadsKeysTextsAndTheLanguage) {
    std::string error;
    const std::optional<TextFileModule> module = TextFileModule::Parse(
        "\xEF\xBB\xBF# comment\r\n\nlanguage = 1041\r\n101=Singer \xE2\x98\x85\r\n"
        "23024=^  Copy  \n5=\n 7 =spaced key\n",
        &error);
    ASSERT_TRUE(module) << error;
    EXPECT_EQ(module->LanguageId(), 1041u);
    EXPECT_EQ(module->Size(), 4u);
    EXPECT_EQ(Text(*module, u"101"), u"Singer \u2605");
    // The text stands as written, blanks on both sides included.
    EXPECT_EQ(Text(*module, u"23024"), u"^  Copy  ");
    EXPECT_EQ(Text(*module, u"5"), u"");  // an empty text is an entry
    EXPECT_EQ(Text(*module, u"7"), u"spaced key");
}

TEST(TextFileModule, MatchesKeysExactly) {
    const std::optional<TextFileModule> module = TextFileModule::Parse("5=five\n", nullptr);
    ASSERT_TRUE(module);
    EXPECT_EQ(module->LanguageId(), 1033u);  // English until the file says otherwise
    EXPECT_EQ(Text(*module, u"5"), u"five");
    EXPECT_EQ(Text(*module, u"05"), u"<none>");
    EXPECT_EQ(Text(*module, u" 5"), u"<none>");
    EXPECT_EQ(module->Lookup(nullptr), nullptr);
}

TEST(TextFileModule, RefusesLinesThatAreNoEntries) {
    for (const char* bad :
         {"101 Singer Editor\n", "name=Singer\n", "=text\n", "language=ja\n", "12a=text\n"}) {
        std::string error;
        EXPECT_FALSE(TextFileModule::Parse(std::string("# ok\n") + bad, &error)) << bad;
        EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
    }
}

TEST(TextFileModule, TheShippedJapaneseFileTranslatesTheEditor) {
    std::string error;
    const std::optional<TextFileModule> module = TextFileModule::Load(DEMO_TRANSLATION_JA, &error);
    ASSERT_TRUE(module) << error;
    EXPECT_EQ(module->LanguageId(), 1041u);
    // The caption, every button and label of dialog 101, and the headers.
    for (const char16_t* key :
         {u"101",   u"1002",  u"1003",  u"23083", u"23041", u"23036", u"23044",
          u"23037", u"23024", u"23023", u"23038", u"23039", u"23045", u"23040",
          u"23117", u"23118", u"1",     u"2",     u"23077", u"23078", u"23079"}) {
        const char16_t* text = module->Lookup(key);
        ASSERT_NE(text, nullptr) << "no text for " << std::string(key, key + 5);
        EXPECT_NE(*text, u'\0');
    }
    // The copy buttons keep their arrow and two blanks; string 31 its number.
    EXPECT_EQ(std::u16string(module->Lookup(u"23024")).substr(0, 3), u"^  ");
    EXPECT_EQ(std::u16string(module->Lookup(u"23023")).substr(0, 3), u"v  ");
    EXPECT_NE(std::u16string(module->Lookup(u"31")).find(u"%d"), std::u16string::npos);
}

TEST(TextFileModule, AMissingFileIsReported) {
    std::string error;
    EXPECT_FALSE(TextFileModule::Load("/no/such/folder/ja.txt", &error));
    EXPECT_NE(error.find("cannot read"), std::string::npos);
}

}  // namespace
}  // namespace kora::demo
