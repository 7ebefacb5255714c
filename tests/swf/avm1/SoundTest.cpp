// Sound objects: volume and pan as integers kept however far out of range, the channel
// transform, and settings shared by every Sound of one timeline.

#include "BuiltinScript.h"

namespace kf::swf::avm1::test {
namespace {

// trace(name.getVolume() + " " + name.getPan())
ActionAssembler& traceVolumeAndPan(ActionAssembler& to, const std::string& name) {
    invoke(to, name, "getVolume").pushString(" ").action(ActionCode::Add2);
    invoke(to, name, "getPan").action(ActionCode::Add2);
    return to.trace();
}

ActionAssembler& traceChannels(ActionAssembler& to, const std::string& name) {
    to.pushString("t");
    invoke(to, name, "getTransform").setVariable();
    for (const char* channel : {"ll", "lr", "rl", "rr"}) {
        traceMember(to, "t", channel);
    }
    return to;
}

TEST(Sound, volumeIsAnIntegerAndOutOfRangeBecomesTheLowestOne) {
    ActionAssembler script;
    construct(script, "s", "Sound");
    traceVolumeAndPan(script, "s");
    invokeAndDrop(script, "s", "setVolume", {PushValue(50.7)});
    traceVolumeAndPan(script, "s");
    invokeAndDrop(script, "s", "setVolume", {PushValue(-999.0)});
    traceVolumeAndPan(script, "s");
    invokeAndDrop(script, "s", "setVolume", {Variable{"NaN"}});
    traceVolumeAndPan(script, "s");
    invokeAndDrop(script, "s", "setVolume", {PushValue(3e9)});
    traceVolumeAndPan(script, "s");
    invokeAndDrop(script, "s", "setVolume", {PushValue(true)});
    traceVolumeAndPan(script, "s");
    invokeAndDrop(script, "s", "setVolume");
    traceVolumeAndPan(script, "s");
    EXPECT_EQ(run(8, script),
              (Lines{"100 0", "50 0", "-999 0", "-2147483648 0", "-2147483648 0", "1 0", "0 0"}));
}

TEST(Sound, panQuietensOneChannelAndIsReadBackFromTheMix) {
    ActionAssembler script;
    construct(script, "s", "Sound");
    invokeAndDrop(script, "s", "setPan", {PushValue(30.0)});
    traceVolumeAndPan(script, "s");
    traceChannels(script, "s");
    invokeAndDrop(script, "s", "setPan", {PushValue(-40.0)});
    traceVolumeAndPan(script, "s");
    traceChannels(script, "s");
    // Past the range the left channel goes negative, and the pan reads its size back.
    invokeAndDrop(script, "s", "setPan", {PushValue(250.0)});
    traceVolumeAndPan(script, "s");
    EXPECT_EQ(run(8, script),
              (Lines{"100 30", "70", "0", "0", "100", "100 -40", "100", "0", "0", "60", "100 -50"}));
}

TEST(Sound, setTransformTakesOwnPropertiesAsWrappedIntegers) {
    ActionAssembler script;
    construct(script, "s", "Sound");
    makeObject(script, "inherited", {{"rr", PushValue(7.0)}});
    makeObject(script, "o", {{"ll", PushValue(3e9)}, {"lr", Variable{"NaN"}}, {"rl", PushValue(12.9)}});
    assignMember(script, "o", "__proto__", Variable{"inherited"});
    invokeAndDrop(script, "s", "setTransform", {Variable{"o"}});
    traceChannels(script, "s");
    // The pan comes from the left channel unless that is exactly 100.
    traceVolumeAndPan(script, "s");
    EXPECT_EQ(run(8, script), (Lines{"-1294967296", "0", "12", "100", "100 -1294967196"}));
}

TEST(Sound, soundsOfOneTimelineShareTheirSettingsAndTheMovieHasItsOwn) {
    ActionAssembler script;
    construct(script, "a", "Sound", {Variable{"clip"}});
    construct(script, "b", "Sound", {PushValue(std::string("clip"))});
    construct(script, "whole", "Sound");
    construct(script, "lost", "Sound", {PushValue(std::string("nowhere"))});
    invokeAndDrop(script, "a", "setVolume", {PushValue(20.0)});
    invokeAndDrop(script, "whole", "setVolume", {PushValue(70.0)});
    invokeAndDrop(script, "lost", "setVolume", {PushValue(5.0)});
    traceVolumeAndPan(script, "b");
    traceVolumeAndPan(script, "whole");
    invoke(script, "lost", "getVolume").trace();
    invoke(script, "lost", "getTransform").trace();
    EXPECT_EQ(playWithClip(script), (Lines{"20 0", "70 0", "undefined", "undefined"}));
}

TEST(Sound, silentPlaybackAnswersWithoutASound) {
    ActionAssembler script;
    construct(script, "s", "Sound");
    invoke(script, "s", "getDuration").trace();
    invokeAndDrop(script, "s", "attachSound", {PushValue(std::string("loop"))});
    invokeAndDrop(script, "s", "start", {PushValue(0.0), PushValue(99.0)});
    invoke(script, "s", "getPosition").trace();
    traceMember(script, "s", "duration");
    invokeAndDrop(script, "s", "stop");
    EXPECT_EQ(run(8, script), (Lines{"undefined", "0", "undefined"}));
}

// A movie of `version` with an exported MP3 sound "Beep" of `samples` samples at 11 kHz.
MovieBuilder movieWithSound(std::uint8_t version, std::uint32_t samples) {
    MovieBuilder builder(version);
    DefineSoundTag sound;
    sound.id = CharacterId{7};
    sound.format = 2;
    sound.rateIndex = 1;
    sound.sixteenBit = true;
    sound.sampleCount = samples;
    sound.data = {0, 0, 0xFF, 0xFB};
    builder.addTag(sound);
    builder.addTag(TagCode::ExportAssets, UnknownTag{{1, 0, 7, 0, 'B', 'e', 'e', 'p', 0}});
    return builder;
}

TEST(Sound, anAttachedSoundLastsItsSamplesAtItsRateInWholeMilliseconds) {
    ActionAssembler script;
    construct(script, "s", "Sound");
    traceMember(script, "s", "duration");
    invokeAndDrop(script, "s", "attachSound", {PushValue(std::string("Beep"))});
    traceMember(script, "s", "duration");
    invoke(script, "s", "getDuration").trace();
    invokeAndDrop(script, "s", "attachSound", {PushValue(std::string("nothing"))});
    traceMember(script, "s", "duration");
    // 16008 samples at 11025 Hz are 1451.97 ms; 10000 are 907.03.
    MovieBuilder longer = movieWithSound(8, 16008);
    longer.doAction(script).showFrame();
    EXPECT_EQ(play(longer), (Lines{"undefined", "1452", "1452", "undefined"}));
    MovieBuilder shorter = movieWithSound(8, 10000);
    shorter.doAction(script).showFrame();
    EXPECT_EQ(play(shorter), (Lines{"undefined", "907", "907", "undefined"}));
    // Flash Player 5 had no durations.
    MovieBuilder older = movieWithSound(5, 10000);
    older.doAction(script).showFrame();
    EXPECT_EQ(play(older), (Lines{"undefined", "undefined", "undefined", "undefined"}));
}

} // namespace
} // namespace kf::swf::avm1::test
