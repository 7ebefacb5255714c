#include "TomlDocument.h"

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

TomlDocument parsed(std::string_view text) {
    Result<TomlDocument> document = TomlDocument::parse(text);
    EXPECT_TRUE(document.ok()) << (document.ok() ? "" : document.error().message);
    return document.ok() ? std::move(document).value() : TomlDocument{};
}

TEST(TomlDocument, tablesDottedAndQuotedKeys) {
    const TomlDocument toml = parsed("num_frames = 30 # a comment\n"
                                     "[image_comparisons.frame1]\n"
                                     "tolerance = 1\n"
                                     "trigger = 2\n"
                                     "[image_comparisons.\"output.5\"]\n"
                                     "max_outliers = 1_000\n"
                                     "image_comparisons.\"late\".trigger = 'last_frame'\n");
    EXPECT_EQ(toml.integer({"num_frames"}), 30);
    EXPECT_EQ(toml.integer({"image_comparisons", "frame1", "trigger"}), 2);
    EXPECT_EQ(toml.integer({"image_comparisons", "output.5", "max_outliers"}), 1000);
    EXPECT_EQ(toml.string({"image_comparisons", "output.5", "image_comparisons", "late", "trigger"}),
              "last_frame")
        << "a dotted key inside a table extends that table's path";
    EXPECT_EQ(toml.childNames({"image_comparisons"}), (std::vector<std::string>{"frame1", "output.5"}));
}

TEST(TomlDocument, inlineTablesArraysAndArraysOfTables) {
    const TomlDocument toml = parsed("[player_options]\n"
                                     "with_renderer = { optional = false, quality = \"low\" }\n"
                                     "[[image_comparisons.\"a\".checks]]\n"
                                     "tolerance = 40\n"
                                     "[[image_comparisons.\"a\".checks]]\n"
                                     "tolerance = 2\n"
                                     "[[compilers]]\n"
                                     "scripts = [\"test.as\",\n  \"other.as\"]\n"
                                     "stage_rect = { x_min = 0.0, x_max = 320.5 }\n");
    EXPECT_EQ(toml.string({"player_options", "with_renderer", "quality"}), "low");
    EXPECT_EQ(toml.boolean({"player_options", "with_renderer", "optional"}), false);
    EXPECT_EQ(toml.integer({"image_comparisons", "a", "checks", "0", "tolerance"}), 40);
    EXPECT_EQ(toml.integer({"image_comparisons", "a", "checks", "1", "tolerance"}), 2);
    EXPECT_EQ(toml.string({"compilers", "0", "scripts", "1"}), "other.as");
    EXPECT_EQ(toml.number({"compilers", "0", "stage_rect", "x_max"}), 320.5);
}

TEST(TomlDocument, malformedTextIsAnError) {
    for (const char* text :
         {"[unclosed\n", "key \"value\"\n", "key = \"open\n", "key = { a = 1\n", "key = [1, 2\n", "= 3\n"}) {
        EXPECT_FALSE(TomlDocument::parse(text).ok()) << text;
    }
    std::string deep = "key = ";
    deep.append(100, '[');
    EXPECT_FALSE(TomlDocument::parse(deep).ok()) << "nesting is bounded";
}

} // namespace
} // namespace kf::swf
