#pragma once
// Damaged, hostile and odd MIDI files as small byte strings, with what the
// reader must say about each and what open must answer. Used by the reader's
// tests and, through the command interface, by the sequencer's tests.

#include "platform/mci/MciError.h"
#include "platform/mci/SmfReader.h"
#include "tests/mci/MidiBytes.h"

#include <string>
#include <vector>

namespace miditest {

struct FileCase {
  std::string name;
  Bytes bytes;
  mci::SmfStatus status;
  mci::Error openError;
};

inline std::vector<FileCase> DamagedFiles() {
  using mci::Error;
  using mci::SmfStatus;
  const Bytes note = Cat({Ev(0, {0x90, 60, 100}), Ev(96, {0x80, 60, 0})});
  const Bytes goodTrack = Track(Cat({note, EndOfTrack()}));
  const auto withTrackBody = [](const Bytes& body) { return Cat({Header(0, 1, 96), Track(body)}); };
  return {
      {"ShortTag", {'M', 'T', 'h'}, SmfStatus::NotMidi, Error::NotMidiFile},
      {"WrongTag", Cat({Chunk("RIFF", {0, 0, 0, 1, 0, 96}), goodTrack}), SmfStatus::NotMidi,
       Error::NotMidiFile},
      {"OnlyEighty", Bytes(64, 0x80), SmfStatus::NotMidi, Error::NotMidiFile},
      {"TagOnly", {'M', 'T', 'h', 'd'}, SmfStatus::Truncated, Error::DamagedMidiFile},
      {"HeaderLengthFive", Cat({ChunkWithLength("MThd", 5, {0, 0, 0, 1, 0, 96}), goodTrack}),
       SmfStatus::BadHeader, Error::DamagedMidiFile},
      {"HeaderCutShort", ChunkWithLength("MThd", 6, {0, 0}), SmfStatus::Truncated,
       Error::DamagedMidiFile},
      {"DivisionZero", Cat({Header(0, 1, 0), goodTrack}), SmfStatus::BadDivision,
       Error::DamagedMidiFile},
      {"SmpteZeroTicksPerFrame", Cat({Header(0, 1, 0xE700), goodTrack}), SmfStatus::BadDivision,
       Error::DamagedMidiFile},
      {"FormatThree", Cat({Header(3, 1, 96), goodTrack}), SmfStatus::UnsupportedFormat,
       Error::DamagedMidiFile},
      {"NoTracksDeclared", Cat({Header(1, 0, 96), goodTrack}), SmfStatus::BadHeader,
       Error::DamagedMidiFile},
      {"ChunkLengthAllOnes", Cat({Header(0, 1, 96), ChunkWithLength("MTrk", 0xFFFFFFFF, note)}),
       SmfStatus::Truncated, Error::DamagedMidiFile},
      {"ChunkLengthOnePastEnd",
       Cat({Header(0, 1, 96),
            ChunkWithLength("MTrk", static_cast<std::uint32_t>(note.size() + 1), note)}),
       SmfStatus::Truncated, Error::DamagedMidiFile},
      {"UnknownChunkPastEnd", Cat({Header(0, 1, 96), ChunkWithLength("XFIH", 0x7FFFFFFF, {})}),
       SmfStatus::Truncated, Error::DamagedMidiFile},
      {"ThousandsOfTracksDeclared", Cat({Header(1, 0xFFFF, 96), goodTrack}),
       SmfStatus::MissingTracks, Error::DamagedMidiFile},
      {"HalfAChunkHeader", Cat({Header(1, 2, 96), goodTrack, {'M', 'T', 'r'}}),
       SmfStatus::Truncated, Error::DamagedMidiFile},
      {"VarLenFiveBytes", withTrackBody({0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 100}),
       SmfStatus::BadVarLen, Error::DamagedMidiFile},
      {"TrackOfOnlyEighty", withTrackBody(Bytes(32, 0x80)), SmfStatus::BadVarLen,
       Error::DamagedMidiFile},
      {"DeltaAtChunkEnd", withTrackBody(Cat({note, {0x60}})), SmfStatus::Truncated,
       Error::DamagedMidiFile},
      {"VarLenCutByChunkEnd", withTrackBody({0x81, 0x80}), SmfStatus::Truncated,
       Error::DamagedMidiFile},
      {"RunningStatusWithoutStatus", withTrackBody({0x00, 60, 100}), SmfStatus::NoRunningStatus,
       Error::DamagedMidiFile},
      {"EventCutByChunkEnd", withTrackBody({0x00, 0x90, 60}), SmfStatus::Truncated,
       Error::DamagedMidiFile},
      {"StatusWhereDataBelongs", withTrackBody({0x00, 0x90, 60, 0x90}), SmfStatus::BadEvent,
       Error::DamagedMidiFile},
      {"SystemCommonInFile", withTrackBody({0x00, 0xF4, 0x00}), SmfStatus::BadEvent,
       Error::DamagedMidiFile},
      {"HugeMetaLength", withTrackBody(Cat({Ev(0, {0xFF, 0x01}), VarLen(0x0FFFFFFF), {'a'}})),
       SmfStatus::Truncated, Error::DamagedMidiFile},
      {"MetaWithoutType", withTrackBody({0x00, 0xFF}), SmfStatus::Truncated,
       Error::DamagedMidiFile},
      {"HugeSysexLength", withTrackBody(Cat({Ev(0, {0xF0}), VarLen(0x0FFFFFFF), {0x7E, 0xF7}})),
       SmfStatus::Truncated, Error::DamagedMidiFile},
      {"TempoZero", withTrackBody(Cat({Tempo(0, 0), note, EndOfTrack()})), SmfStatus::BadTempo,
       Error::DamagedMidiFile},
      {"TempoTooShort", withTrackBody(Cat({Ev(0, {0xFF, 0x51, 0x02, 0x07, 0xA1}), EndOfTrack()})),
       SmfStatus::BadTempo, Error::DamagedMidiFile},
      // Files that are odd but sound: each must play to its notification.
      {"NoEndOfTrack", withTrackBody(note), SmfStatus::Ok, Error::None},
      {"UnknownChunkSkipped", Cat({Header(0, 1, 96), Chunk("XFIH", {1, 2, 3}), goodTrack}),
       SmfStatus::Ok, Error::None},
      {"JunkAfterLastTrack", Cat({Header(0, 1, 96), goodTrack, {0x00, 0x01, 0x02}}),
       SmfStatus::Ok, Error::None},
      {"BytesAfterEndOfTrack", withTrackBody(Cat({note, EndOfTrack(), {0xF4, 0x80, 0x80}})),
       SmfStatus::Ok, Error::None},
      {"LongHeader",
       Cat({Chunk("MThd", {0, 0, 0, 1, 0, 96, 0xAA, 0xBB}), goodTrack}), SmfStatus::Ok,
       Error::None},
      {"EmptyTrack", Cat({Header(0, 1, 96), Track({})}), SmfStatus::Ok, Error::None},
      {"OnlyMetaEvents", withTrackBody(Cat({Ev(0, {0xFF, 0x03, 0x01, 'x'}), EndOfTrack()})),
       SmfStatus::Ok, Error::None},
  };
}

}  // namespace miditest
