#pragma once
// Turns a command string into a Command. The grammar is one table of verbs,
// each with the keywords it accepts (see CommandParser.cpp): the first word is
// the verb, the second the device (a file path for open, an alias otherwise),
// and the rest are keywords, some of which take the next word as their value.
// Words are separated by blanks; a word in double quotes may contain blanks
// and loses its quotes. Executing the command is left to the caller.

#include "platform/mci/MciError.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mci {

enum class Verb { Open, Play, Stop, Close, Status };

enum class Keyword { Type, Alias, Notify, Mode, Length, Position, Count };

struct Command {
  Verb verb = Verb::Open;
  // The file path for open, the alias for every other verb.
  std::string device;
  // One slot per keyword; a flag that was given holds an empty string.
  std::array<std::optional<std::string>, static_cast<std::size_t>(Keyword::Count)> keywords;

  bool Has(Keyword k) const { return keywords[static_cast<std::size_t>(k)].has_value(); }
  const std::string& Value(Keyword k) const { return *keywords[static_cast<std::size_t>(k)]; }
};

class CommandParser {
 public:
  // Longest command accepted, in bytes without the terminating NUL. Paths of
  // any length up to this fit; longer strings are refused before parsing.
  static constexpr std::size_t kMaxCommandLength = 4096;

  // Parses a NUL-terminated command; a null pointer counts as empty.
  static Error Parse(const char* text, Command& command);
};

// Case-insensitive comparison of ASCII words, as command words are matched.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace mci
