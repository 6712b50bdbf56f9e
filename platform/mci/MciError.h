#pragma once
// The error numbers of the command interface and their texts. Every way a
// command can fail has its own number so that a caller (or a test) can tell
// the failures apart; the numbers are stable and kept in this one table.

#include "platform/win/WinTypes.h"

#include <string_view>

namespace mci {

enum class Error : MCIERROR {
  None = 0,
  EmptyCommand = 257,
  CommandTooLong = 258,
  BadQuoting = 259,
  UnknownCommand = 260,
  UnknownKeyword = 261,
  MissingArgument = 262,
  ConflictingKeywords = 263,
  UnknownAlias = 264,
  DuplicateAlias = 265,
  UnsupportedDeviceType = 266,
  FileNotFound = 267,
  FileUnreadable = 268,
  FileEmpty = 269,
  FileTooLarge = 270,
  NotMidiFile = 271,
  DamagedMidiFile = 272,
  NoSoundFont = 273,
  NoAudioOutput = 274,
  InternalError = 275,
};

struct ErrorEntry {
  Error error;
  std::string_view text;
};

// Every error with its text; the success entry comes first.
inline constexpr ErrorEntry kErrorTable[] = {
    {Error::None, "The command was carried out."},
    {Error::EmptyCommand, "The command string is empty."},
    {Error::CommandTooLong, "The command string is too long."},
    {Error::BadQuoting,
     "A double quotation mark is misplaced or not closed; a name cannot contain one."},
    {Error::UnknownCommand, "The command word is not known."},
    {Error::UnknownKeyword, "The command has a keyword that it does not know."},
    {Error::MissingArgument, "The command lacks a name or a value that it needs."},
    {Error::ConflictingKeywords, "A keyword is given twice or together with one it excludes."},
    {Error::UnknownAlias, "No device is open under this name."},
    {Error::DuplicateAlias, "A device is already open under this name."},
    {Error::UnsupportedDeviceType, "The device type is not supported; only the sequencer is."},
    {Error::FileNotFound, "The file does not exist."},
    {Error::FileUnreadable, "The file cannot be read."},
    {Error::FileEmpty, "The file is empty."},
    {Error::FileTooLarge, "The file is too large to be a MIDI file this sequencer plays."},
    {Error::NotMidiFile, "The file is not a Standard MIDI File."},
    {Error::DamagedMidiFile, "The MIDI file is damaged or truncated."},
    {Error::NoSoundFont, "The SoundFont for the synthesizer cannot be loaded."},
    {Error::NoAudioOutput, "No audio output is available."},
    {Error::InternalError, "The sequencer failed inside."},
};

// The text of an error, or an empty view for a number that is not ours.
std::string_view ErrorText(MCIERROR error);

inline constexpr MCIERROR ToNumber(Error error) { return static_cast<MCIERROR>(error); }

}  // namespace mci
