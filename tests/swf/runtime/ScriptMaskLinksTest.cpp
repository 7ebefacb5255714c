// The links between an object and the mask a script gave it never outlive either object
// and always agree from both ends.

#include "swf/runtime/DisplayObject.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kf::swf;

namespace {

class Leaf : public DisplayObject {
public:
    explicit Leaf(int depth) : DisplayObject(DisplayDepth{depth}, CharacterId{1}) {}
    DisplayObjectKind kind() const override { return DisplayObjectKind::Shape; }
};

TEST(ScriptMaskLinks, eitherSideGoingAwayUnlinksTheOther) {
    Leaf masked(1);
    auto mask = std::make_unique<Leaf>(2);
    masked.setScriptMask(mask.get());
    EXPECT_EQ(masked.scriptMask(), mask.get());
    EXPECT_EQ(mask->maskedObject(), &masked);
    mask.reset();
    EXPECT_EQ(masked.scriptMask(), nullptr);

    auto maskedToo = std::make_unique<Leaf>(3);
    Leaf otherMask(4);
    maskedToo->setScriptMask(&otherMask);
    maskedToo.reset();
    EXPECT_EQ(otherMask.maskedObject(), nullptr);
}

TEST(ScriptMaskLinks, aMaskMasksOneObjectAndAnObjectHasOneMask) {
    Leaf first(1);
    Leaf second(2);
    Leaf mask(3);
    Leaf otherMask(4);
    first.setScriptMask(&mask);
    second.setScriptMask(&mask);
    EXPECT_EQ(first.scriptMask(), nullptr);
    EXPECT_EQ(second.scriptMask(), &mask);
    EXPECT_EQ(mask.maskedObject(), &second);

    second.setScriptMask(&otherMask);
    EXPECT_EQ(mask.maskedObject(), nullptr);
    EXPECT_EQ(otherMask.maskedObject(), &second);
    second.setScriptMask(nullptr);
    EXPECT_EQ(otherMask.maskedObject(), nullptr);
    EXPECT_EQ(second.scriptMask(), nullptr);
}

TEST(ScriptMaskLinks, maskingBackReplacesThePairingAndNothingMasksItself) {
    Leaf first(1);
    Leaf second(2);
    second.setScriptMask(&first);
    first.setScriptMask(&second);
    EXPECT_EQ(first.scriptMask(), &second);
    EXPECT_EQ(second.maskedObject(), &first);
    EXPECT_EQ(second.scriptMask(), nullptr);
    EXPECT_EQ(first.maskedObject(), nullptr);

    first.setScriptMask(&first);
    EXPECT_EQ(first.scriptMask(), nullptr);
    EXPECT_EQ(first.maskedObject(), nullptr);
    EXPECT_EQ(second.maskedObject(), nullptr);
}

} // namespace
