#include "demo_options.h"

#include <gtest/gtest.h>

namespace kora::demo {
namespace {

TEST(DemoOptions, NoneGivesTheNormalEditor) {
    const std::optional<DemoOptions> options = ParseDemoOptions({}, nullptr);
    ASSERT_TRUE(options);
    EXPECT_FALSE(options->readOnly);
    EXPECT_FALSE(options->reset);
    EXPECT_FALSE(options->translation);
    EXPECT_FALSE(options->work);
    EXPECT_FALSE(options->screenshot);
}

TEST(DemoOptions, EveryOption) {
    std::string error;
    const std::optional<DemoOptions> options =
        ParseDemoOptions({u"--read-only", u"--lang", u"ja.txt", u"--work", u"w", u"--reset",
                          u"--screenshot", u"s.bmp"},
                         &error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->readOnly);
    EXPECT_TRUE(options->reset);
    EXPECT_EQ(options->translation, std::filesystem::path("ja.txt"));
    EXPECT_EQ(options->work, std::filesystem::path("w"));
    EXPECT_EQ(options->screenshot, std::filesystem::path("s.bmp"));
}

TEST(DemoOptions, UnknownOptionsAndMissingValuesAreRefused) {
    std::string error;
    EXPECT_FALSE(ParseDemoOptions({u"--readonly"}, &error));
    EXPECT_EQ(error, "unknown option --readonly");
    EXPECT_FALSE(ParseDemoOptions({u"--reset", u"--lang"}, &error));
    EXPECT_EQ(error, "--lang needs a value");
}

}  // namespace
}  // namespace kora::demo
