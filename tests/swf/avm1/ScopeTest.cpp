// Where names are found: timelines, target paths, with, tellTarget and `this`.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

// A main timeline with a sprite "outer" holding a sprite "inner"; the given script runs on
// the main timeline's first frame.
MovieBuilder nestedClips(std::uint8_t version, const ActionAssembler& script,
                         const ActionAssembler& innerScript = {}) {
    MovieBuilder builder(version);
    TimelineBuilder inner;
    if (!innerScript.actions().empty()) {
        inner.doAction(innerScript);
    }
    inner.showFrame();
    const CharacterId innerId = builder.addSprite(inner);
    TimelineBuilder outer;
    outer.placeNamed(innerId, Depth{1}, "inner").showFrame();
    const CharacterId outerId = builder.addSprite(outer);
    builder.placeNamed(outerId, Depth{1}, "outer").doAction(script).showFrame();
    return builder;
}

TEST(Scope, targetPathsInSlashAndDotSyntax) {
    ActionAssembler script;
    script.push({std::string("outer.inner.v"), 1.0}).setVariable();
    traceVariable(script, "/outer/inner:v");
    script.push({std::string("/outer/inner:v"), 2.0}).setVariable();
    traceVariable(script, "_root.outer.inner.v");
    traceVariable(script, "outer.inner._parent._name");
    traceVariable(script, "outer/inner");
    traceVariable(script, "_level0.outer._target");
    traceVariable(script, "outer.missing.v");
    EXPECT_EQ(play(nestedClips(6, script)),
              (Lines{"1", "2", "outer", "_level0.outer.inner", "/outer", "undefined"}));
}

TEST(Scope, childScriptsSeeTheirOwnTimelineAndThis) {
    ActionAssembler inner;
    setVariable(inner, "where", std::string("inner"));
    inner.pushString("this").getVariable().trace();
    traceVariable(inner, "_parent._name");
    ActionAssembler script;
    traceVariable(script, "outer.inner.where");
    traceVariable(script, "where");
    // The parent's frame script runs first: the child placed in that frame runs its own
    // first frame's script after it.
    EXPECT_EQ(play(nestedClips(6, script, inner)),
              (Lines{"undefined", "undefined", "_level0.outer.inner", "outer"}));
}

TEST(Scope, tellTargetRedirectsTimelineActionsAndVariables) {
    ActionAssembler script;
    script.setTarget("outer/inner");
    setVariable(script, "x", 3.0);
    script.setTarget("");
    traceVariable(script, "outer.inner.x");
    traceVariable(script, "x");
    // SetTarget2 takes the path from the stack.
    script.pushString("outer").action(ActionCode::SetTarget2);
    traceVariable(script, "_name");
    script.setTarget("");
    // A path that finds nothing leaves no target; its variables go nowhere.
    script.setTarget("nothing");
    setVariable(script, "lost", 1.0);
    script.setTarget("");
    traceVariable(script, "lost");
    EXPECT_EQ(play(nestedClips(6, script)), (Lines{"3", "undefined", "outer", "undefined"}));
}

TEST(Scope, withPutsAnObjectFirstInTheScopeChain) {
    ActionAssembler body;
    traceVariable(body, "a");
    setVariable(body, "a", 2.0); // an existing property of the object is written there
    setVariable(body, "b", 3.0); // a new name goes to the timeline
    ActionAssembler script;
    script.push({std::string("o"), std::string("a"), 1.0, 1}).action(ActionCode::InitObject).setVariable();
    script.pushString("o").getVariable().action(ActionCode::With, WithAction{codeSize(body)});
    append(script, body);
    traceVariable(script, "o.a");
    traceVariable(script, "o.b");
    traceVariable(script, "b");
    EXPECT_EQ(run(6, script), (Lines{"1", "2", "undefined", "3"}));
}

TEST(Scope, globalIsSharedByEveryTimeline) {
    ActionAssembler inner;
    traceVariable(inner, "shared");
    ActionAssembler script;
    script.pushString("_global")
        .getVariable()
        .push({std::string("shared"), std::string("yes")})
        .action(ActionCode::SetMember);
    traceVariable(script, "shared");
    MovieBuilder builder(6);
    TimelineBuilder child;
    child.doAction(inner).showFrame();
    const CharacterId childId = builder.addSprite(child);
    builder.doAction(script).showFrame();
    builder.placeNamed(childId, Depth{1}, "child").showFrame();
    EXPECT_EQ(play(builder, 2), (Lines{"yes", "yes"}));
}

} // namespace
} // namespace kf::swf::avm1::test
