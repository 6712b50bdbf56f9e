#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/render/MnemonicText.h"
#include "platform/render/SanitizedText.h"

namespace render {
namespace {

const std::string kFffd = "\xEF\xBF\xBD";

struct SanitizeCase {
  const char* name;
  std::string input;
  std::string expected;
};

class SanitizeTest : public testing::TestWithParam<SanitizeCase> {};

TEST_P(SanitizeTest, ReplacesEachBadByteAndMapsOffsetsBothWays) {
  const SanitizeCase& c = GetParam();
  const SanitizedText text(c.input);
  EXPECT_EQ(text.Text(), c.expected);
  EXPECT_EQ(text.Unchanged(), c.input == c.expected);
  EXPECT_EQ(text.ToSanitized(static_cast<int>(c.input.size())), static_cast<int>(c.expected.size()));
  EXPECT_EQ(text.ToOriginal(static_cast<int>(c.expected.size())), static_cast<int>(c.input.size()));
  // Every original offset maps to a character start that maps back to an
  // offset at or before it, and the mapping never goes backwards.
  int previous = 0;
  for (int offset = 0; offset <= static_cast<int>(c.input.size()); ++offset) {
    const int sanitized = text.ToSanitized(offset);
    EXPECT_GE(sanitized, previous) << "offset " << offset;
    EXPECT_LE(text.ToOriginal(sanitized), offset) << "offset " << offset;
    EXPECT_NE(static_cast<unsigned char>(text.Text().c_str()[sanitized]) & 0xC0, 0x80) << "offset " << offset;
    previous = sanitized;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, SanitizeTest,
    testing::Values(SanitizeCase{"Ascii", "abc", "abc"}, SanitizeCase{"Japanese", "再生", "再生"},
                    SanitizeCase{"LoneHighByte", "a\xFF" "b", "a" + kFffd + "b"},
                    SanitizeCase{"TruncatedAtEnd", "ab\xE3\x81", "ab" + kFffd + kFffd},
                    SanitizeCase{"Overlong", "\xC0\xAF", kFffd + kFffd},
                    SanitizeCase{"Surrogate", "\xED\xA0\x80", kFffd + kFffd + kFffd},
                    SanitizeCase{"AboveUnicode", "\xF4\x90\x80\x80", kFffd + kFffd + kFffd + kFffd},
                    SanitizeCase{"EmbeddedNul", std::string("a\0b", 3), "a" + kFffd + "b"},
                    SanitizeCase{"ContinuationAlone", "\x80" "あ", kFffd + "あ"}),
    [](const testing::TestParamInfo<SanitizeCase>& info) { return info.param.name; });

TEST(SanitizedTextTest, OffsetsInsideCharactersSnapToTheirStart) {
  const SanitizedText valid("aあb");
  EXPECT_EQ(valid.ToSanitized(2), 1);
  EXPECT_EQ(valid.ToSanitized(3), 1);
  EXPECT_EQ(valid.ToSanitized(4), 4);

  // "\xFF" becomes three bytes; each of them maps back to the one byte.
  const SanitizedText invalid("\xFF" "あ");
  EXPECT_EQ(invalid.ToSanitized(1), 3);
  EXPECT_EQ(invalid.ToSanitized(2), 3);
  EXPECT_EQ(invalid.ToOriginal(2), 0);
  EXPECT_EQ(invalid.ToOriginal(3), 1);
  EXPECT_EQ(invalid.ToSanitized(-5), 0);
  EXPECT_EQ(invalid.ToSanitized(99), 6);
}

struct MnemonicCase {
  const char* input;
  bool prefix;
  const char* display;
  std::vector<MnemonicText::Range> underlined;
};

void PrintTo(const MnemonicCase& c, std::ostream* os) { *os << '"' << c.input << "\" prefix " << c.prefix; }

class MnemonicTest : public testing::TestWithParam<MnemonicCase> {};

TEST_P(MnemonicTest, ShowsTextAndUnderlines) {
  const MnemonicCase& c = GetParam();
  const MnemonicText text(c.input, c.prefix);
  EXPECT_EQ(text.Display(), c.display);
  EXPECT_EQ(text.Underlined(), c.underlined);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MnemonicTest,
    testing::Values(MnemonicCase{"&Play", true, "Play", {{0, 1}}}, MnemonicCase{"a&&b", true, "a&b", {}},
                    MnemonicCase{"end&", true, "end", {}}, MnemonicCase{"&&&x", true, "&x", {{1, 2}}},
                    MnemonicCase{"再生(&P)", true, "再生(P)", {{7, 8}}},
                    MnemonicCase{"&再生", true, "再生", {{0, 3}}},
                    MnemonicCase{"&a&b", true, "ab", {{0, 1}, {1, 2}}},
                    MnemonicCase{"a&&b&", false, "a&&b&", {}}));

}  // namespace
}  // namespace render
