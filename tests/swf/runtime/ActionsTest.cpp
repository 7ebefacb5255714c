#include "MovieParts.h"

#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/Navigator.h"
#include "swf/runtime/PlayerHost.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/TargetPath.h"

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

using namespace test;

class RecordingNavigator : public Navigator {
public:
    void getUrl(const std::string& url, const std::string& target) override {
        calls.push_back(url + "|" + target);
    }
    void fsCommand(const std::string& command, const std::string& arguments) override {
        calls.push_back("fscommand " + command + "|" + arguments);
    }
    std::vector<std::string> calls;
};

class RecordingHost : public PlayerHost {
public:
    void toggleQuality() override { calls.push_back("toggleQuality"); }
    void stopSounds() override { calls.push_back("stopSounds"); }
    void trace(const std::string& line) override { calls.push_back("trace " + line); }
    std::vector<std::string> calls;
};

Action gotoFrame(std::uint16_t frame) {
    return action(ActionCode::GotoFrame, GotoFrameAction{frame});
}
Action gotoLabel(std::string label) {
    return action(ActionCode::GotoLabel, GotoLabelAction{std::move(label)});
}
Action setTarget(std::string target) {
    return action(ActionCode::SetTarget, SetTargetAction{std::move(target)});
}
Action getUrl(std::string url, std::string target) {
    return action(ActionCode::GetUrl, GetUrlAction{std::move(url), std::move(target)});
}

TEST(Swf3Actions, stopInAFrameScriptRunsAfterThatFramesPlacements) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(3, {defineShape(1), showFrame(), place(1, 1),
                                      doAction({action(ActionCode::Stop)}), showFrame(), showFrame()})));
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_NE(player.displayList().at(DisplayDepth{1}), nullptr);
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 1);
}

TEST(Swf3Actions, gotoFrameAndGotoLabelStopAndRunTheTargetScript) {
    RecordingNavigator navigator;
    MoviePlayer player(&navigator);
    ASSERT_TRUE(player.load(movie(4, {doAction({gotoFrame(2)}), showFrame(), showFrame(),
                                      doAction({getUrl("reached3", ""), gotoLabel("last")}), showFrame(),
                                      frameLabel("last"), doAction({getUrl("reached4", "")}), showFrame()})));
    EXPECT_EQ(player.currentFrame(), 3);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(navigator.calls, (std::vector<std::string>{"reached3|", "reached4|"}));
}

TEST(Swf3Actions, playResumesAndUnknownLabelIsIgnored) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(
        movie(3, {doAction({action(ActionCode::Stop), gotoLabel("missing"), action(ActionCode::Play)}),
                  showFrame(), showFrame(), showFrame()})));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(player.currentFrame(), 0);
}

TEST(Swf3Actions, nextAndPreviousFrame) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(3, {showFrame(), doAction({action(ActionCode::NextFrame)}), showFrame(),
                                      doAction({action(ActionCode::PreviousFrame)}), showFrame()})));
    player.advanceFrame(); // frame 2 sends the playhead to frame 3, whose script sends it back
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_FALSE(player.isPlaying());
}

TEST(Swf3Actions, setTargetDirectsTimelineActionsToASprite) {
    RecordingNavigator navigator;
    MoviePlayer player(&navigator);
    const Tag sprite = defineSprite(10, 3, {showFrame(), showFrame(), showFrame()});
    const Tag inner = defineSprite(11, 2, {place(1, 10, {}, std::string("deep")), showFrame(), showFrame()});
    ASSERT_TRUE(player.load(
        movie(3,
              {sprite, inner, place(1, 10, {}, std::string("Walker")), place(2, 11, {}, std::string("box")),
               showFrame(),
               doAction({setTarget("/walker"), action(ActionCode::Stop), setTarget("box/deep"), gotoFrame(2),
                         setTarget("box"), action(ActionCode::Stop), setTarget(""), action(ActionCode::Stop),
                         setTarget("nothing"), action(ActionCode::Play)}),
               showFrame(), showFrame()},
              5)));
    SpriteObject* walker = player.displayList().at(DisplayDepth{1})->asSprite();
    SpriteObject* box = player.displayList().at(DisplayDepth{2})->asSprite();
    SpriteObject* deep = box->displayList().at(DisplayDepth{1})->asSprite();

    player.advanceFrame();
    EXPECT_FALSE(walker->isPlaying()) << "names ignore case before SWF 7";
    EXPECT_EQ(walker->currentFrame(), 1);
    EXPECT_EQ(deep->currentFrame(), 2);
    EXPECT_FALSE(deep->isPlaying());
    EXPECT_FALSE(box->isPlaying()) << "paths start from the script's timeline, not the last target";
    EXPECT_FALSE(player.isPlaying()) << "setTarget(\"\") returns to the script's own timeline";
    EXPECT_EQ(player.currentFrame(), 1) << "a missing target swallows the actions";
}

TEST(Swf3Actions, targetPaths) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(1,
                                  {defineSprite(10, 1, {showFrame()}),
                                   defineSprite(11, 1, {place(3, 10, {}, std::string("leaf")), showFrame()}),
                                   place(1, 11, {}, std::string("branch")), showFrame()},
                                  7)));
    SpriteObject& root = *player.root();
    SpriteObject* branch = player.displayList().at(DisplayDepth{1})->asSprite();
    DisplayObject* leaf = branch->displayList().at(DisplayDepth{3});
    EXPECT_EQ(resolveTargetPath("/branch/leaf", root, root, true), leaf);
    EXPECT_EQ(resolveTargetPath("_root.branch.leaf", *branch, root, true), leaf);
    EXPECT_EQ(resolveTargetPath("leaf", *branch, root, true), leaf);
    EXPECT_EQ(resolveTargetPath("..", *branch, root, true), &root);
    EXPECT_EQ(resolveTargetPath("_parent/branch", *branch, root, true), branch);
    EXPECT_EQ(resolveTargetPath("/", *branch, root, true), &root);
    EXPECT_EQ(resolveTargetPath("/Branch", root, root, true), nullptr) << "SWF 7 names are case-sensitive";
    EXPECT_EQ(resolveTargetPath("../..", *branch, root, true), nullptr);
}

TEST(Swf3Actions, waitForFrameNeverSkips) {
    RecordingNavigator navigator;
    MoviePlayer player(&navigator);
    ASSERT_TRUE(player.load(movie(
        2, {doAction({action(ActionCode::WaitForFrame, WaitForFrameAction{1, 1}), getUrl("loaded", "_self")}),
            showFrame(), showFrame()})));
    EXPECT_EQ(navigator.calls, std::vector<std::string>{"loaded|_self"});
}

TEST(Swf3Actions, hostActionsReachTheirInterfaces) {
    RecordingNavigator navigator;
    RecordingHost host;
    MoviePlayer player(&navigator, &host);
    ASSERT_TRUE(player.load(
        movie(1, {doAction({getUrl("http://example.com/", "_blank"), getUrl("FSCommand:quit", "true"),
                            getUrl("fscommand:fullscreen", "false"), action(ActionCode::ToggleQuality),
                            action(ActionCode::StopSounds), action(ActionCode::Add), action(ActionCode::End),
                            action(ActionCode::StopSounds)}),
                  showFrame()})));
    EXPECT_EQ(navigator.calls, (std::vector<std::string>{"http://example.com/|_blank", "fscommand quit|true",
                                                         "fscommand fullscreen|false"}));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"toggleQuality", "stopSounds"})) << "End ends the block";
}

TEST(Swf3Actions, scriptsThatGotoEachOtherForeverAreCutOff) {
    RuntimeLimits limits;
    limits.maxScriptsPerFrame = 50;
    RecordingNavigator navigator;
    MoviePlayer player(&navigator, nullptr, limits);
    ASSERT_TRUE(player.load(movie(2, {doAction({getUrl("one", ""), gotoFrame(1)}), showFrame(),
                                      doAction({getUrl("two", ""), gotoFrame(0)}), showFrame()})));
    EXPECT_EQ(navigator.calls.size(), 50u);
    navigator.calls.clear();
    player.play();
    player.advanceFrame();
    EXPECT_EQ(navigator.calls.size(), 50u) << "the next frame starts with a fresh allowance";
}

TEST(Swf3Actions, scriptsBouncingAcrossALargeTimelineAreCutOff) {
    RuntimeLimits limits;
    limits.maxTagsReplayedPerFrame = 1000;
    RecordingNavigator navigator;
    MoviePlayer player(&navigator, nullptr, limits);
    std::vector<Tag> tags{defineShape(1), doAction({getUrl("first", ""), gotoFrame(99)}), showFrame()};
    for (int frame = 1; frame < 100; ++frame) {
        tags.push_back(place(static_cast<std::uint16_t>(frame), 1));
        if (frame == 99) {
            tags.push_back(doAction({getUrl("last", ""), gotoFrame(0)}));
        }
        tags.push_back(showFrame());
    }
    ASSERT_TRUE(player.load(movie(100, std::move(tags))));
    // Every bounce replays about 100 tags, so about ten fit in the allowance.
    EXPECT_GE(navigator.calls.size(), 5u);
    EXPECT_LE(navigator.calls.size(), 25u);
}

TEST(Swf3Actions, scriptsOfARemovedSpriteDoNotRun) {
    RecordingNavigator navigator;
    MoviePlayer player(&navigator);
    const Tag sprite = defineSprite(10, 2, {showFrame(), doAction({getUrl("sprite", "")}), showFrame()});
    // Children move on before their parent, so the sprite queues its frame-2 script and then
    // the root's frame 3 removes it: that script must not run.
    ASSERT_TRUE(player.load(movie(3, {sprite, showFrame(), place(1, 10), showFrame(), remove(1), showFrame()})));
    player.advanceFrame(); // root frame 2: sprite placed, shows its frame 1
    player.advanceFrame(); // the sprite queues its frame 2, then root frame 3 removes it
    EXPECT_EQ(player.currentFrame(), 2);
    EXPECT_EQ(player.displayList().at(DisplayDepth{1}), nullptr);
    EXPECT_TRUE(navigator.calls.empty());
}

} // namespace
} // namespace kf::swf
