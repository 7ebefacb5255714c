// Addresses, level names and url-encoded variables as loads read them, and the queue that
// decides when a load is carried out.

#include "swf/runtime/MovieLoads.h"
#include "swf/runtime/UrlResolution.h"

#include <gtest/gtest.h>

namespace kf::swf::test {
namespace {

TEST(LoadAddress, relativeAddressesResolveAgainstTheMoviesFolder) {
    EXPECT_EQ(resolveUrl("/movies/main.swf", "child.swf"), "/movies/child.swf");
    EXPECT_EQ(resolveUrl("/movies/main.swf", "../other/child.swf"), "/other/child.swf");
    EXPECT_EQ(resolveUrl("/movies/main.swf", "./a/./b/../c.swf"), "/movies/a/c.swf");
    EXPECT_EQ(resolveUrl("/main.swf", "../../escape.swf"), "/escape.swf");
    EXPECT_EQ(resolveUrl("movies/main.swf", "child.swf"), "movies/child.swf");
    EXPECT_EQ(resolveUrl("main.swf", "child.swf"), "child.swf");
    EXPECT_EQ(resolveUrl("", "child.swf"), "child.swf");
}

TEST(LoadAddress, urlsKeepTheirOriginAndDropTheBasesQuery) {
    EXPECT_EQ(resolveUrl("file:///home/u/main.swf", "child.swf"), "file:///home/u/child.swf");
    EXPECT_EQ(resolveUrl("http://host.test/a/main.swf?x=1#top", "b/child.swf"),
              "http://host.test/a/b/child.swf");
    EXPECT_EQ(resolveUrl("http://host.test/a/main.swf", "/root.swf"), "http://host.test/root.swf");
    EXPECT_EQ(resolveUrl("http://host.test", "child.swf"), "http://host.test/child.swf");
    // A reference with its own scheme stands alone; a drive letter is no scheme.
    EXPECT_EQ(resolveUrl("/movies/main.swf", "https://elsewhere.test/x.swf"), "https://elsewhere.test/x.swf");
    EXPECT_EQ(resolveUrl("/movies/main.swf", "C:child.swf"), "/movies/C:child.swf");
}

TEST(LoadAddress, onlyLocalAddressesHaveAPath) {
    EXPECT_EQ(localPathOf("/movies/a b.swf"), "/movies/a b.swf");
    EXPECT_EQ(localPathOf("file:///movies/a%20b.swf"), "/movies/a b.swf");
    EXPECT_EQ(localPathOf("FILE://localhost/movies/x.swf?query"), "/movies/x.swf");
    EXPECT_EQ(localPathOf("file://server/share/x.swf"), std::nullopt);
    EXPECT_EQ(localPathOf("http://host.test/x.swf"), std::nullopt);
    EXPECT_EQ(localPathOf("file:///bad%2"), "/bad%2");
}

TEST(LoadAddress, levelNamesAreDigitsAfterLevel) {
    EXPECT_EQ(levelNumber("_level0"), 0);
    EXPECT_EQ(levelNumber("_LEVEL12"), 12);
    EXPECT_EQ(levelNumber("_level"), std::nullopt);
    EXPECT_EQ(levelNumber("_level-1"), std::nullopt);
    EXPECT_EQ(levelNumber("_level1a"), std::nullopt);
    EXPECT_EQ(levelNumber("_level99999999999"), std::nullopt);
    EXPECT_EQ(levelNumber("level1"), std::nullopt);
}

TEST(LoadAddress, urlEncodedVariablesDecodeInOrder) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(parseUrlVariables("a=1&b=two+words&c=%26%3d"),
              (Pairs{{"a", "1"}, {"b", "two words"}, {"c", "&="}}));
    EXPECT_EQ(parseUrlVariables("&&=x&flag&e=a=b"), (Pairs{{"flag", ""}, {"e", "a=b"}}));
    EXPECT_EQ(parseUrlVariables("bad=%zz%4"), (Pairs{{"bad", "%zz%4"}}));
    EXPECT_TRUE(parseUrlVariables("").empty());
}

TEST(LoadAddress, requestsComeDueAtTheNextFrameAndTheLastForATargetWins) {
    MovieLoads loads;
    const LoadTarget clip{0, {"holder"}};
    loads.request({LoadKind::Movie, "first.swf", clip, 0});
    loads.request({LoadKind::Movie, "level.swf", LoadTarget{1, {}}, 0});
    // Asked for before the frame began: nothing is due yet.
    EXPECT_TRUE(loads.takeDue().empty());
    loads.startFrame();
    loads.request({LoadKind::Movie, "second.swf", clip, 0});
    std::vector<LoadRequest> due = loads.takeDue();
    // The due request for the clip stays; the one asked for during the frame waits.
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].url, "first.swf");
    EXPECT_EQ(due[1].url, "level.swf");
    loads.request({LoadKind::Unload, {}, clip, 0});
    loads.startFrame();
    due = loads.takeDue();
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].kind, LoadKind::Unload);
    EXPECT_TRUE(loads.isEmpty());
}

} // namespace
} // namespace kf::swf::test
