// _rotation, _xscale, _yscale, _width and _height: what scripts write reads back as written,
// and sizes come from the shapes' bounds.

#include "BuiltinScript.h"
#include "swf/writer/ShapeBuilder.h"

namespace kf::swf::avm1::test {
namespace {

// A sprite named "box" holding a rectangle 133.3 by 50 pixels (2666 by 1000 twips).
MovieBuilder movieWithBox(const Matrix& placement = Matrix{}) {
    MovieBuilder builder(7);
    const CharacterId shape = builder.addRectangle(Rect{Twips{0}, Twips{2666}, Twips{0}, Twips{1000}},
                                                   ShapeBuilder::solidFill(Rgba{0, 0, 255, 255}));
    TimelineBuilder inside;
    inside.place(shape, Depth{1}).showFrame();
    const CharacterId sprite = builder.addSprite(inside);
    builder.placeNamed(sprite, Depth{1}, "box", placement);
    return builder;
}

ActionAssembler& setMember(ActionAssembler& to, const std::string& member, const Operand& value) {
    return assignMember(to, "box", member, value);
}

TEST(ClipGeometry, rotationIsKeptBetweenMinus180And180AsWritten) {
    ActionAssembler script;
    for (double degrees : {-1.0, 1000.0, 540.0, -540.0, 181.0, 0.5}) {
        setMember(script, "_rotation", PushValue(degrees));
        traceMember(script, "box", "_rotation");
    }
    setMember(script, "_rotation", Variable{"NaN"});
    traceMember(script, "box", "_rotation");
    setMember(script, "_rotation", Variable{"Infinity"});
    traceMember(script, "box", "_rotation");
    MovieBuilder builder = movieWithBox();
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"-1", "-80", "180", "-180", "-179", "0.5", "0.5", "NaN"}));
}

TEST(ClipGeometry, scalesComeFromThePlacementThenReadBackAsWritten) {
    ActionAssembler script;
    traceMember(script, "box", "_xscale");
    traceMember(script, "box", "_yscale");
    setMember(script, "_xscale", PushValue(-42.0));
    traceMember(script, "box", "_xscale");
    setMember(script, "_yscale", PushValue(3.1415926535));
    traceMember(script, "box", "_yscale");
    setMember(script, "_xscale", PushValue(std::string("not a number")));
    traceMember(script, "box", "_xscale");
    MovieBuilder builder = movieWithBox(Matrix::scale(2, 0.5));
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"200", "50", "-42", "3.1415926535", "-42"}));
}

TEST(ClipGeometry, widthAndHeightFollowTheBoundsAndScaleTheClip) {
    ActionAssembler script;
    traceMember(script, "box", "_width");
    traceMember(script, "box", "_height");
    setMember(script, "_height", PushValue(100.0));
    traceMember(script, "box", "_yscale");
    traceMember(script, "box", "_height");
    setMember(script, "_rotation", PushValue(90.0));
    traceMember(script, "box", "_width");
    MovieBuilder builder = movieWithBox();
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"133.3", "50", "200", "100", "100"}));
}

TEST(ClipGeometry, sizingAnEmptyClipZeroesBothScales) {
    ActionAssembler script;
    script.push({std::string(""), 9, 10}).action(ActionCode::SetProperty);
    script.push({std::string(""), 2}).action(ActionCode::GetProperty).trace();
    script.push({std::string(""), 3}).action(ActionCode::GetProperty).trace();
    script.push({std::string(""), 9}).action(ActionCode::GetProperty).trace();
    EXPECT_EQ(run(7, script), (Lines{"0", "0", "0"}));
}

// trace("xMin xMax yMin yMax") of box.getBounds(arguments)
ActionAssembler& traceBounds(ActionAssembler& to, const std::vector<Operand>& arguments) {
    to.pushString("b");
    invoke(to, "box", "getBounds", arguments).setVariable();
    to.pushString("");
    for (const char* side : {"xMin", "xMax", "yMin", "yMax"}) {
        to.pushString("b")
            .getVariable()
            .pushString(side)
            .action(ActionCode::GetMember)
            .action(ActionCode::Add2);
        to.pushString(" ").action(ActionCode::Add2);
    }
    return to.trace();
}

TEST(ClipGeometry, boundsInTheClipsOwnSpaceOrAnother) {
    ActionAssembler script;
    traceBounds(script, {});
    traceBounds(script, {Variable{"_root"}});
    MovieBuilder builder = movieWithBox(Matrix{2, 0, 0, 2, 200, 400});
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"0 133.3 0 50 ", "10 276.6 20 120 "}));
}

TEST(ClipGeometry, hitTestByPointOrByOverlapAndPointsBetweenSpaces) {
    ActionAssembler script;
    invoke(script, "box", "hitTest", {PushValue(100.0), PushValue(60.0)}).trace();
    invoke(script, "box", "hitTest", {PushValue(300.0), PushValue(60.0)}).trace();
    invoke(script, "box", "hitTest", {PushValue(100.0), PushValue(60.0), PushValue(true)}).trace();
    invoke(script, "box", "hitTest", {Variable{"box"}}).trace();
    makeObject(script, "p", {{"x", PushValue(10.0)}, {"y", PushValue(5.0)}});
    invokeAndDrop(script, "box", "localToGlobal", {Variable{"p"}});
    script.pushString("p.x").getVariable().pushString(",").action(ActionCode::Add2);
    script.pushString("p.y").getVariable().action(ActionCode::Add2).trace();
    invokeAndDrop(script, "box", "globalToLocal", {Variable{"p"}});
    script.pushString("p.x").getVariable().pushString(",").action(ActionCode::Add2);
    script.pushString("p.y").getVariable().action(ActionCode::Add2).trace();
    MovieBuilder builder = movieWithBox(Matrix{2, 0, 0, 2, 200, 400});
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"true", "false", "true", "true", "30,30", "10,5"}));
}

} // namespace
} // namespace kf::swf::avm1::test
