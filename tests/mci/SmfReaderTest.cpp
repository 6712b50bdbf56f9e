#include "platform/mci/SmfReader.h"

#include "tests/mci/DamagedFiles.h"
#include "tests/mci/MidiBytes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace miditest;
using mci::MidiEvent;
using mci::MidiSong;
using mci::SmfReader;
using mci::SmfStatus;

// The events as (time, status, data1, data2), for whole-list comparisons.
using Row = std::tuple<std::int64_t, int, int, int>;

std::vector<Row> Rows(const MidiSong& song) {
  std::vector<Row> rows;
  for (const MidiEvent& e : song.events) rows.emplace_back(e.timeUs, e.status, e.data1, e.data2);
  return rows;
}

MidiSong ReadOk(const Bytes& bytes) {
  MidiSong song;
  EXPECT_EQ(SmfReader::Read(bytes, song), SmfStatus::Ok);
  return song;
}

class DamagedFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(DamagedFileTest, ReaderGivesTheExpectedStatus) {
  const FileCase& c = GetParam();
  MidiSong song;
  EXPECT_EQ(SmfReader::Read(c.bytes, song), c.status);
  if (c.status != SmfStatus::Ok) {
    // A refused file leaves nothing half read behind.
    EXPECT_TRUE(song.events.empty());
    EXPECT_EQ(song.lengthUs, 0);
  }
}

// Every prefix of a valid file is either refused or a shorter valid song;
// the reader must never read past what it is given (the sanitizers check).
TEST(SmfReaderTest, EveryPrefixOfAValidFileIsRefusedOrRead) {
  const Bytes whole = Cat({Header(1, 2, 96), Track(Cat({Tempo(0, 400000), EndOfTrack()})),
                           Track(Cat({Ev(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}),
                                      Ev(0, {0x90, 60, 100}), Ev(96, {60, 0}), EndOfTrack(10)}))});
  for (std::size_t size = 0; size < whole.size(); ++size) {
    MidiSong song;
    const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_NE(SmfReader::Read(prefix, song), SmfStatus::Ok) << "prefix of " << size << " bytes";
  }
  EXPECT_EQ(ReadOk(whole).events.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFileTest, ::testing::ValuesIn(DamagedFiles()),
                         [](const auto& info) { return info.param.name; });

TEST(SmfReaderTest, FormatZeroWithRunningStatusAndAllChannelMessages) {
  // 96 ticks per quarter at the default 500000 us per quarter: 5208.33 us per tick.
  const MidiSong song = ReadOk(Cat(
      {Header(0, 1, 96),
       Track(Cat({Ev(0, {0xC3, 5}), Ev(0, {0x93, 60, 100}), Ev(0, {64, 90}),
                  Ev(48, {60, 0}), Ev(0, {0xB3, 7, 80}), Ev(0, {0xE3, 0x00, 0x40}),
                  Ev(48, {0xA3, 64, 30}), Ev(0, {0xD3, 20}), Ev(0, {0x83, 64, 0}),
                  EndOfTrack(96)}))}));
  const std::vector<Row> expected = {
      {0, 0xC3, 5, 0},          {0, 0x93, 60, 100},       {0, 0x93, 64, 90},
      {250000, 0x93, 60, 0},    {250000, 0xB3, 7, 80},    {250000, 0xE3, 0x00, 0x40},
      {500000, 0xA3, 64, 30},   {500000, 0xD3, 20, 0},    {500000, 0x83, 64, 0},
  };
  EXPECT_EQ(Rows(song), expected);
  EXPECT_EQ(song.lengthUs, 1000000);
}

TEST(SmfReaderTest, FormatOneMergesTracksUnderOneTempoMap) {
  // Track 0: a quarter at 250000 us, then 1000000 us per quarter from tick 96.
  // Track 1 plays across the change; equal times keep track order.
  const MidiSong song = ReadOk(Cat(
      {Header(1, 3, 96), Track(Cat({Tempo(0, 250000), Tempo(96, 1000000), EndOfTrack()})),
       Track(Cat({Ev(0, {0x90, 60, 100}), Ev(96, {0x80, 60, 0}), Ev(48, {0x90, 62, 100}),
                  EndOfTrack(48)})),
       Track(Cat({Ev(96, {0x91, 70, 100}), Ev(96, {0x81, 70, 0}), EndOfTrack()}))}));
  const std::vector<Row> expected = {
      {0, 0x90, 60, 100},       {250000, 0x80, 60, 0},    {250000, 0x91, 70, 100},
      {750000, 0x90, 62, 100},  {1250000, 0x81, 70, 0},
  };
  EXPECT_EQ(Rows(song), expected);
  EXPECT_EQ(song.lengthUs, 1250000);
}

TEST(SmfReaderTest, FormatTwoPlaysTracksOneAfterAnother) {
  // Each track has its own tempo; the second starts when the first ends.
  const MidiSong song = ReadOk(Cat(
      {Header(2, 2, 100),
       Track(Cat({Tempo(0, 200000), Ev(0, {0x90, 60, 100}), Ev(100, {0x80, 60, 0}),
                  EndOfTrack(50)})),
       Track(Cat({Ev(0, {0x90, 62, 100}), Ev(100, {0x80, 62, 0}), EndOfTrack()}))}));
  const std::vector<Row> expected = {
      {0, 0x90, 60, 100}, {200000, 0x80, 60, 0}, {300000, 0x90, 62, 100}, {800000, 0x80, 62, 0}};
  EXPECT_EQ(Rows(song), expected);
  EXPECT_EQ(song.lengthUs, 800000);
}

TEST(SmfReaderTest, SmpteDivisionCountsTicksPerSecondAndIgnoresTempo) {
  struct Case {
    std::uint16_t division;
    std::int64_t tick500Us;
  };
  const Case cases[] = {
      {0xE728, 500000},  // 25 frames x 40 ticks: 1000 ticks per second
      {0xE250, 208333},  // 30 frames x 80 ticks
      {0xE364, 166833},  // 29 means 29.97 frames, x 100 ticks
  };
  for (const Case& c : cases) {
    const MidiSong song = ReadOk(Cat({Header(0, 1, c.division),
                                      Track(Cat({Tempo(0, 100000), Ev(500, {0x90, 60, 1}),
                                                 EndOfTrack()}))}));
    ASSERT_EQ(song.events.size(), 1u);
    EXPECT_EQ(song.events[0].timeUs, c.tick500Us) << std::hex << c.division;
  }
}

TEST(SmfReaderTest, KeepsCompleteSysexAndDropsContinuationsAndOtherMeta) {
  const MidiSong song = ReadOk(Cat(
      {Header(0, 1, 96),
       Track(Cat({Ev(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}),
                  Ev(0, {0xF0, 0x02, 0x43, 0x10}), Ev(0, {0xF7, 0x01, 0xF7}),
                  Ev(0, {0xFF, 0x03, 0x04, 'n', 'a', 'm', 'e'}), Ev(0, {0xFF, 0x58, 0x04, 4, 2, 24, 8}),
                  Ev(0, {0x90, 60, 100}), EndOfTrack()}))}));
  ASSERT_EQ(song.events.size(), 2u);
  EXPECT_EQ(song.events[0].status, 0xF0);
  ASSERT_EQ(song.sysex.size(), 1u);
  const Bytes body(song.sysexData.begin() + song.sysex[0].offset,
                   song.sysexData.begin() + song.sysex[0].offset + song.sysex[0].length);
  EXPECT_EQ(body, (Bytes{0x7E, 0x7F, 0x09, 0x01}));
  EXPECT_EQ(song.events[1].status, 0x90);
}

TEST(SmfReaderTest, HugeDeltasAndSlowTempoClampInsteadOfOverflowing) {
  // 0x0FFFFFFF ticks at one tick per quarter and 16.7 s per quarter is far
  // beyond any clock; times stop at the cap and stay ordered.
  const MidiSong song = ReadOk(Cat(
      {Header(0, 1, 1),
       Track(Cat({Tempo(0, 0xFFFFFF), Ev(0x0FFFFFFF, {0x90, 60, 1}),
                  Ev(0x0FFFFFFF, {0x80, 60, 0}), EndOfTrack(0x0FFFFFFF)}))}));
  ASSERT_EQ(song.events.size(), 2u);
  EXPECT_EQ(song.events[1].timeUs, SmfReader::kMaxTimeUs);
  EXPECT_EQ(song.lengthUs, SmfReader::kMaxTimeUs);
  EXPECT_LE(song.events[0].timeUs, song.events[1].timeUs);
}

TEST(SmfReaderTest, RefusesInputAboveTheSizeCap) {
  Bytes big = Cat({Header(0, 1, 96), Track(Cat({EndOfTrack()}))});
  big.resize(SmfReader::kMaxFileSize + 1, 0);
  MidiSong song;
  EXPECT_EQ(SmfReader::Read(big, song), SmfStatus::TooLarge);
}

}  // namespace
