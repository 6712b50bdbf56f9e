#include "platform/mci/CommandParser.h"
#include "platform/mci/Mci.h"
#include "platform/mci/MciError.h"

#include "tests/mci/DamagedFiles.h"
#include "tests/mci/MciFixture.h"
#include "tests/mci/MidiBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>

namespace {

using namespace miditest;
using mci::Command;
using mci::CommandParser;
using mci::Error;
using mci::Keyword;
using mci::ToNumber;
using mci::Verb;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

TEST(CommandParserTest, SplitsWordsAndQuotedNames) {
  Command command;
  ASSERT_EQ(CommandParser::Parse("open \"/tmp/a b/c d.mid\"  TYPE Sequencer\talias myseq",
                                 command),
            Error::None);
  EXPECT_EQ(command.verb, Verb::Open);
  EXPECT_EQ(command.device, "/tmp/a b/c d.mid");
  EXPECT_EQ(command.Value(Keyword::Type), "Sequencer");
  EXPECT_EQ(command.Value(Keyword::Alias), "myseq");
  EXPECT_FALSE(command.Has(Keyword::Notify));

  ASSERT_EQ(CommandParser::Parse("  PLAY MySeq Notify  ", command), Error::None);
  EXPECT_EQ(command.verb, Verb::Play);
  EXPECT_EQ(command.device, "MySeq");
  EXPECT_TRUE(command.Has(Keyword::Notify));
  EXPECT_FALSE(command.Has(Keyword::Alias));

  ASSERT_EQ(CommandParser::Parse("status myseq position", command), Error::None);
  EXPECT_EQ(command.verb, Verb::Status);
  EXPECT_TRUE(command.Has(Keyword::Position));
  EXPECT_FALSE(command.Has(Keyword::Mode));
}

struct ParseCase {
  const char* name;
  std::string text;
  Error expected;
};

class CommandParserErrorTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandParserErrorTest, RefusesWithItsOwnError) {
  Command command;
  EXPECT_EQ(CommandParser::Parse(GetParam().text.c_str(), command), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Misuse, CommandParserErrorTest,
    ::testing::Values(
        ParseCase{"Empty", "", Error::EmptyCommand},
        ParseCase{"OnlyBlanks", " \t \r\n ", Error::EmptyCommand},
        ParseCase{"UnknownVerb", "dance myseq", Error::UnknownCommand},
        ParseCase{"QuotedVerb", "\"play\" myseq", Error::UnknownCommand},
        ParseCase{"NoDevice", "play", Error::MissingArgument},
        ParseCase{"AliasWithoutValue", "open x.mid alias", Error::MissingArgument},
        ParseCase{"TypeWithoutValue", "open x.mid type", Error::MissingArgument},
        ParseCase{"StatusWithoutItem", "status myseq", Error::MissingArgument},
        ParseCase{"UnknownKeyword", "play myseq loudly", Error::UnknownKeyword},
        ParseCase{"KeywordOfAnotherVerb", "play myseq alias x", Error::UnknownKeyword},
        ParseCase{"QuotedKeyword", "play myseq \"notify\"", Error::UnknownKeyword},
        ParseCase{"KeywordTwice", "play myseq notify NOTIFY", Error::ConflictingKeywords},
        ParseCase{"TwoStatusItems", "status myseq mode length", Error::ConflictingKeywords},
        ParseCase{"UnclosedQuote", "open \"/tmp/a b.mid alias x", Error::BadQuoting},
        ParseCase{"QuoteInsideWord", "open /tmp/a\"b.mid", Error::BadQuoting},
        ParseCase{"TextAfterClosingQuote", "open \"/tmp/a\"b.mid\" alias x", Error::BadQuoting},
        ParseCase{"TwoQuotedWordsTouching", "open \"a\"\"b\"", Error::BadQuoting},
        ParseCase{"OneOverTheLimit",
                  "open " + std::string(CommandParser::kMaxCommandLength - 4, 'a'),
                  Error::CommandTooLong}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandParserTest, NullCommandIsEmptyAndTheLimitItselfIsAccepted) {
  Command command;
  EXPECT_EQ(CommandParser::Parse(nullptr, command), Error::EmptyCommand);
  const std::string atLimit = "open " + std::string(CommandParser::kMaxCommandLength - 5, 'a');
  EXPECT_EQ(CommandParser::Parse(atLimit.c_str(), command), Error::None);
  EXPECT_EQ(command.device.size(), CommandParser::kMaxCommandLength - 5);
}

TEST(ErrorTableTest, NumbersAndTextsAreDistinctAndKnown) {
  std::set<MCIERROR> numbers;
  std::set<std::string> texts;
  for (const mci::ErrorEntry& entry : mci::kErrorTable) {
    numbers.insert(ToNumber(entry.error));
    char buffer[256];
    EXPECT_EQ(mciGetErrorStringA(ToNumber(entry.error), buffer, sizeof buffer), TRUE);
    EXPECT_EQ(std::string(buffer), entry.text);
    EXPECT_FALSE(entry.text.empty());
    texts.insert(buffer);
  }
  EXPECT_EQ(numbers.size(), std::size(mci::kErrorTable));
  EXPECT_EQ(texts.size(), std::size(mci::kErrorTable));
  EXPECT_EQ(*numbers.begin(), 0u);
}

TEST(ErrorTableTest, ErrorStringFitsAnyBuffer) {
  const MCIERROR error = ToNumber(Error::UnknownAlias);
  char buffer[16];
  std::memset(buffer, 'X', sizeof buffer);
  EXPECT_EQ(mciGetErrorStringA(error, buffer, 5), TRUE);
  EXPECT_EQ(std::string(buffer), std::string(mci::ErrorText(error).substr(0, 4)));
  EXPECT_EQ(buffer[5], 'X');
  std::memset(buffer, 'X', sizeof buffer);
  EXPECT_EQ(mciGetErrorStringA(error, buffer, 1), TRUE);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'X');
  EXPECT_EQ(mciGetErrorStringA(error, nullptr, 0), FALSE);
  EXPECT_EQ(mciGetErrorStringA(12345, buffer, sizeof buffer), FALSE);
  EXPECT_EQ(buffer[0], '\0');
}

// The command interface with one valid song open as "myseq".
class CommandTest : public MciFixture {
 protected:
  void SetUp() override {
    MciFixture::SetUp();
    ASSERT_EQ(Send("open " + Quoted(m_song.Path()) + " type sequencer alias myseq"), 0u);
  }
  TempFile m_song{OneNoteSong()};
};

struct MisuseCase {
  const char* name;
  std::string (*command)(const std::string& validPath, const std::string& scratchDir);
  Error expected;
};

class CommandMisuseTest : public CommandTest, public ::testing::WithParamInterface<MisuseCase> {};

TEST_P(CommandMisuseTest, FailsWithItsErrorAndChangesNothing) {
  const std::string dir = std::filesystem::path(m_song.Path()).parent_path().string();
  const std::string command = GetParam().command(m_song.Path(), dir);
  char result[32];
  std::memset(result, 'X', sizeof result);
  const MCIERROR error = mciSendStringA(command.c_str(), result, sizeof result, FakeWindow(1));
  EXPECT_EQ(error, ToNumber(GetParam().expected)) << command;
  EXPECT_EQ(result[0], '\0');
  char text[256];
  EXPECT_EQ(mciGetErrorStringA(error, text, sizeof text), TRUE);
  EXPECT_GT(std::strlen(text), 0u);

  // A failed command leaves the table as it was and posts nothing.
  EXPECT_EQ(Status("myseq", "mode"), "stopped");
  EXPECT_EQ(Send("close other"), ToNumber(Error::UnknownAlias));
  EXPECT_TRUE(PostedLog().empty());
}

std::string Write(const std::string& dir, const std::string& name, const Bytes& bytes) {
  const std::string path = dir + "/" + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

INSTANTIATE_TEST_SUITE_P(
    Misuse, CommandMisuseTest,
    ::testing::Values(
        MisuseCase{"PlayUnknownAlias", [](auto&, auto&) { return std::string("play other notify"); },
                   Error::UnknownAlias},
        MisuseCase{"StopUnknownAlias", [](auto&, auto&) { return std::string("stop other"); },
                   Error::UnknownAlias},
        MisuseCase{"StatusUnknownAlias",
                   [](auto&, auto&) { return std::string("status other mode"); },
                   Error::UnknownAlias},
        MisuseCase{"DuplicateAlias",
                   [](auto& path, auto&) { return "open \"" + path + "\" alias myseq"; },
                   Error::DuplicateAlias},
        MisuseCase{"DuplicateAliasOtherCase",
                   [](auto& path, auto&) { return "open \"" + path + "\" alias MySeq"; },
                   Error::DuplicateAlias},
        MisuseCase{"EmptyAlias", [](auto& path, auto&) { return "open \"" + path + "\" alias \"\""; },
                   Error::MissingArgument},
        MisuseCase{"OtherDeviceType",
                   [](auto& path, auto&) { return "open \"" + path + "\" type waveaudio alias other"; },
                   Error::UnsupportedDeviceType},
        MisuseCase{"MissingFile",
                   [](auto&, auto& dir) { return "open \"" + dir + "/none.mid\" alias other"; },
                   Error::FileNotFound},
        MisuseCase{"EmptyPath", [](auto&, auto&) { return std::string("open \"\" alias other"); },
                   Error::FileNotFound},
        MisuseCase{"Directory", [](auto&, auto& dir) { return "open \"" + dir + "\" alias other"; },
                   Error::FileUnreadable},
        MisuseCase{"EmptyFile",
                   [](auto&, auto& dir) {
                     return "open \"" + Write(dir, "empty.mid", {}) + "\" alias other";
                   },
                   Error::FileEmpty},
        MisuseCase{"TooLarge",
                   [](auto&, auto& dir) {
                     const std::string path = Write(dir, "big.mid", OneNoteSong());
                     std::filesystem::resize_file(path, mci::SmfReader::kMaxFileSize + 1);
                     return "open \"" + path + "\" alias other";
                   },
                   Error::FileTooLarge},
        MisuseCase{"TextFile",
                   [](auto&, auto& dir) {
                     return "open \"" + Write(dir, "list.mid", {'a', 'b', '\n'}) + "\" alias other";
                   },
                   Error::NotMidiFile},
        MisuseCase{"DamagedFile",
                   [](auto&, auto& dir) {
                     const Bytes bytes = Cat({Header(0, 1, 96), Track({0x00, 60, 100})});
                     return "open \"" + Write(dir, "bad.mid", bytes) + "\" alias other";
                   },
                   Error::DamagedMidiFile},
        MisuseCase{"PathWithQuote", [](auto& path, auto&) { return "open \"" + path + "\"\" alias other"; },
                   Error::BadQuoting},
        MisuseCase{"TooLong",
                   [](auto&, auto&) { return "open \"" + std::string(5000, 'a') + "\" alias other"; },
                   Error::CommandTooLong}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandTest, PathsWithBlanksAndLongPathsOpen) {
  TempFile blanks(OneNoteSong(), "a song with blanks.mid");
  EXPECT_EQ(Send("open " + Quoted(blanks.Path()) + " type sequencer alias blanks"), 0u);
  // No fixed path limit below the command limit: a 1000-byte path opens.
  const std::filesystem::path dir = std::filesystem::path(blanks.Path()).parent_path();
  std::filesystem::path deep = dir;
  while (deep.string().size() < 1000) deep /= std::string(60, 'd');
  std::filesystem::create_directories(deep);
  const std::string longPath = (deep / "song.mid").string();
  std::filesystem::copy_file(blanks.Path(), longPath);
  EXPECT_EQ(Send("open " + Quoted(longPath) + " type sequencer alias long"), 0u);
  EXPECT_EQ(Status("long", "length"), "1000");
  EXPECT_EQ(Send("close blanks"), 0u);
  EXPECT_EQ(Send("close long"), 0u);
}

TEST_F(CommandTest, PathContainingAQuoteCannotBeCarried) {
  TempFile quoted(OneNoteSong(), "say \"hi\".mid");
  EXPECT_EQ(Send("open " + Quoted(quoted.Path()) + " type sequencer alias q"),
            ToNumber(Error::BadQuoting));
  EXPECT_EQ(Send("close q"), ToNumber(Error::UnknownAlias));
}

TEST_F(CommandTest, WithoutAliasThePathIsTheAlias) {
  TempFile plain(OneNoteSong());
  ASSERT_EQ(Send("open " + plain.Path()), 0u);
  EXPECT_EQ(Status(plain.Path(), "length"), "1000");
  EXPECT_EQ(Send("close " + plain.Path()), 0u);
}

TEST_F(CommandTest, StatusResultIsCutToTheBuffer) {
  struct Case {
    UINT length;
    std::string expected;
  };
  const Case cases[] = {{1, ""}, {2, "s"}, {4, "sto"}, {8, "stopped"}, {20, "stopped"}};
  for (const Case& c : cases) {
    char buffer[24];
    std::memset(buffer, 'X', sizeof buffer);
    ASSERT_EQ(mciSendStringA("status myseq mode", buffer, c.length, nullptr), 0u);
    EXPECT_EQ(std::string(buffer), c.expected) << c.length;
    EXPECT_EQ(buffer[c.length], 'X') << "wrote past the buffer of " << c.length;
  }
  EXPECT_EQ(mciSendStringA("status myseq mode", nullptr, 0, nullptr), 0u);
  EXPECT_EQ(mciSendStringA("status myseq mode", nullptr, 16, nullptr), 0u);
  EXPECT_EQ(Status("myseq", "length"), "1000");
  EXPECT_EQ(Status("myseq", "position"), "0");
}

TEST_F(CommandTest, NotifyOnOtherCommandsPostsSuccessOnceDone) {
  TempFile other(OneNoteSong());
  ASSERT_EQ(Send("open " + Quoted(other.Path()) + " alias other notify", FakeWindow(7)), 0u);
  ASSERT_EQ(Send("stop other notify", FakeWindow(8)), 0u);
  ASSERT_EQ(Send("close other notify", FakeWindow(9)), 0u);
  ASSERT_EQ(PostedLog().size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(PostedLog()[i].window, FakeWindow(7 + i));
    EXPECT_EQ(PostedLog()[i].message, MM_MCINOTIFY);
    EXPECT_EQ(PostedLog()[i].flag, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(PostedLog()[i].deviceId, PostedLog()[0].deviceId);
  }
  EXPECT_NE(PostedLog()[0].deviceId, 0);
}

}  // namespace
