#include "MovieParts.h"

#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/TargetPath.h"

#include <gtest/gtest.h>

using namespace kf::swf;
using namespace kf::swf::test;

namespace {

// root > a > a > a, and beside the first "a" a clip whose name holds a dot: "b.c".
class TargetPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(player.load(
            movie(1,
                  {defineSprite(10, 1, {showFrame()}),
                   defineSprite(11, 1, {place(1, 10, {}, std::string("a")), showFrame()}),
                   defineSprite(12, 1, {place(1, 11, {}, std::string("a")), showFrame()}),
                   place(1, 12, {}, std::string("a")), place(2, 10, {}, std::string("b.c")), showFrame()},
                  6)));
        root = player.root();
        a = player.displayList().at(DisplayDepth{1});
        aa = a->children()->at(DisplayDepth{1});
        aaa = aa->children()->at(DisplayDepth{1});
        dotted = player.displayList().at(DisplayDepth{2});
    }
    DisplayObject* resolve(std::string_view path) { return resolveTargetPath(path, *root, *root, true); }

    MoviePlayer player;
    SpriteObject* root = nullptr;
    DisplayObject* a = nullptr;
    DisplayObject* aa = nullptr;
    DisplayObject* aaa = nullptr;
    DisplayObject* dotted = nullptr;
};

TEST_F(TargetPathTest, separatorsMixFreely) {
    EXPECT_EQ(resolve("a.a.a"), aaa);
    EXPECT_EQ(resolve("a:a/a"), aaa);
    EXPECT_EQ(resolve("/a:a"), aa);
    EXPECT_EQ(resolve(":a.a"), aa);
    EXPECT_EQ(resolve("a.a/"), aa) << "one separator may end the path";
    EXPECT_EQ(resolve("a:"), a);
}

TEST_F(TargetPathTest, leadingAndDoubledColonsAreSkipped) {
    EXPECT_EQ(resolve("::::a"), a);
    EXPECT_EQ(resolve("/::a"), a);
    EXPECT_EQ(resolve("a:::a"), aa);
    EXPECT_EQ(resolve("a.:a"), aa);
}

TEST_F(TargetPathTest, emptyNamesMiss) {
    EXPECT_EQ(resolve(".a"), nullptr);
    EXPECT_EQ(resolve("//a"), nullptr);
    EXPECT_EQ(resolve("a//a"), nullptr);
    EXPECT_EQ(resolve("a::"), nullptr) << "colons skipped up to the end leave no name";
    EXPECT_EQ(resolve("a.:"), nullptr);
    EXPECT_EQ(resolve("a:/"), nullptr);
    EXPECT_EQ(resolve(":"), nullptr);
}

TEST_F(TargetPathTest, slashSyntaxKeepsDotsInNames) {
    EXPECT_EQ(resolve("/b.c"), dotted);
    EXPECT_EQ(resolve("b.c"), nullptr) << "without a slash the dot separates";
    EXPECT_EQ(resolve("a/a.a"), nullptr);
    EXPECT_EQ(resolve("a.a/a"), aaa) << "dots before the first slash still separate";
    EXPECT_EQ(resolve("/a."), nullptr);
}

TEST_F(TargetPathTest, parentSteps) {
    EXPECT_EQ(resolve("a/a/.."), a);
    EXPECT_EQ(resolve("a.a:.."), a) << "a colon may lead into a parent step";
    EXPECT_EQ(resolve("a:..:a"), a);
    EXPECT_EQ(resolve("a.a..."), nullptr) << "a dot never leads into a parent step";
    EXPECT_EQ(resolve("a.a.."), nullptr);
    EXPECT_EQ(resolve("a:..:a.a"), nullptr) << "after a parent step dots belong to names";
    EXPECT_EQ(resolve(".."), nullptr) << "the root has no parent";
    EXPECT_EQ(resolveTargetPath("_parent._parent", *aa->asSprite(), *root, true), root);
    EXPECT_EQ(resolveTargetPath("../a", *aa->asSprite(), *root, true), aa);
}

TEST_F(TargetPathTest, wordsAndCase) {
    EXPECT_EQ(resolveTargetPath("_root.a", *aa->asSprite(), *root, true), a);
    EXPECT_EQ(resolveTargetPath("this:a", *a->asSprite(), *root, true), aa);
    EXPECT_EQ(resolve("_level0/a/a"), aa);
    EXPECT_EQ(resolve("A"), nullptr);
    EXPECT_EQ(resolveTargetPath("A.A", *root, *root, false), aa);
}

} // namespace
