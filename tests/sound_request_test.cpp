// PlaySoundFile and StopSound as requests to the sound service: the file name
// as the host gave it, and the flags for playing once, looping and stopping.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fake_platform.h"
#include "host_areas.h"

namespace {

constexpr uint32_t kPlayOnce = 0x00020003;  // file name, no default sound, asynchronous
constexpr uint32_t kPlayLoop = 0x0002000B;  // the same, looping

fake_platform::SoundRequest Play(const std::u16string& name, int32_t loop) {
  HostAreas areas;
  areas.Fill(0xEE);
  areas.SetString(0, name);
  areas.SetInteger(0, loop);
  const auto before = areas.Save();
  EXPECT_EQ(areas.Call(ZOL_FN_PLAY_SOUND_FILE), ZOL_STATUS_OK);
  EXPECT_EQ(areas.Save(), before) << "PlaySoundFile wrote to the caller's areas";
  const auto requests = fake_platform::TakeSoundRequests();
  EXPECT_EQ(requests.size(), 1U);
  return requests.empty() ? fake_platform::SoundRequest{} : requests.back();
}

TEST(SoundRequests, OnlyLoopFlagOneLoops) {
  EXPECT_EQ(Play(u"a.wav", 0).flags, kPlayOnce);
  EXPECT_EQ(Play(u"a.wav", 1).flags, kPlayLoop);
  EXPECT_EQ(Play(u"a.wav", 2).flags, kPlayOnce);
  EXPECT_EQ(Play(u"a.wav", -1).flags, kPlayOnce);
  EXPECT_EQ(Play(u"a.wav", 257).flags, kPlayOnce);
}

TEST(SoundRequests, FileNameIsPassedOnUnchanged) {
  const std::u16string name = u"C:\\Sounds\\T\u00F6ne \U0001F514 %1.wav";
  EXPECT_EQ(Play(name, 0).sound, name);
  // An empty name is still a file to play, not a null sound (which would stop).
  const auto empty = Play(u"", 0);
  EXPECT_EQ(empty.sound, u"");
  EXPECT_EQ(empty.flags, kPlayOnce);
  const std::u16string longest(255, u'n');
  EXPECT_EQ(Play(longest, 1).sound, longest);
}

TEST(SoundRequests, UnterminatedNameIsCutWithinItsSlot) {
  HostAreas areas;
  areas.FillStringUnterminated(0, u'x');
  areas.FillStringUnterminated(1, u'y');
  areas.SetInteger(0, 0);
  ASSERT_EQ(areas.Call(ZOL_FN_PLAY_SOUND_FILE), ZOL_STATUS_OK);
  const auto requests = fake_platform::TakeSoundRequests();
  ASSERT_EQ(requests.size(), 1U);
  EXPECT_EQ(requests[0].sound, std::u16string(255, u'x'));
}

TEST(SoundRequests, StopIsANullSoundWithNoFlags) {
  HostAreas areas;
  areas.Fill(0xEE);
  const auto before = areas.Save();
  ASSERT_EQ(areas.Call(ZOL_FN_STOP_SOUND), ZOL_STATUS_OK);
  EXPECT_EQ(areas.Save(), before);
  const auto requests = fake_platform::TakeSoundRequests();
  ASSERT_EQ(requests.size(), 1U);
  EXPECT_FALSE(requests[0].sound.has_value());
  EXPECT_EQ(requests[0].flags, 0U);
}

}  // namespace
