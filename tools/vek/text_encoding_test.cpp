#include "text_encoding.h"

#include <gtest/gtest.h>

#include "failure.h"
#include "packets/text_match.h"
#include "regex_text.h"

namespace vek {
namespace {

constexpr const char* kEncodings[] = {"windows-1252", "cp437", "cp850", "latin1"};

std::string Byte(unsigned value) { return std::string(1, static_cast<char>(value)); }

std::string UsageMessage(const std::function<void()>& run) {
  try {
    run();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code(), kUsageError);
    return failure.what();
  }
  return "no failure";
}

// Typed text (UTF-8, as the test runs in a UTF-8 or C locale), the bytes stored, or the
// character refused.
struct Typed {
  const char* encoding;
  const char* typed;
  const char* stored;  // nullptr: refused
  const char* refused;
};
constexpr Typed kTyped[] = {
    {"windows-1252", "Zoë café", "Zo\xEB caf\xE9", nullptr},
    {"windows-1252", "€ – Œuvre “quoted” Ÿ", "\x80 \x96 \x8Cuvre \x93quoted\x94 \x9F", nullptr},
    {"windows-1252", "│", nullptr, "\"│\" (U+2502)"},
    {"windows-1252", "日", nullptr, "\"日\" (U+65E5)"},
    {"latin1", "Zoë ÿ ×", "Zo\xEB \xFF \xD7", nullptr},
    {"latin1", "€", nullptr, "\"€\" (U+20AC)"},
    {"cp437", "Zoë café", "Zo\x89 caf\x82", nullptr},
    {"cp437", "┌─┐│└┘ ░▒▓ ÇÉ αßΣσµ ½", "\xDA\xC4\xBF\xB3\xC0\xD9 \xB0\xB1\xB2 \x80\x90 \xE0\xE1\xE4\xE5\xE6 \xAB", nullptr},
    {"cp437", "€", nullptr, "\"€\" (U+20AC)"},
    {"cp437", "Ø", nullptr, "\"Ø\" (U+00D8)"},
    {"cp850", "Ø ø ÿ café │", "\x9D \x9B \x98 caf\x82 \xB3", nullptr},
    {"cp850", "Σ", nullptr, "\"Σ\" (U+03A3)"},
    {"cp850", "😀", nullptr, "\"😀\" (U+01F600)"},
};

TEST(TextEncodingTest, TypedTextIsStoredAndShownBackOrRefusedNamingTheCharacter) {
  for (const Typed& row : kTyped) {
    SCOPED_TRACE(std::string(row.encoding) + ": " + row.typed);
    const TextEncoding encoding = TextEncoding::Named(row.encoding);
    if (row.stored != nullptr) {
      const std::string stored = encoding.FromTyped(row.typed, "--author");
      EXPECT_EQ(stored, row.stored);
      EXPECT_EQ(encoding.ToUtf8(stored), row.typed);
      EXPECT_EQ(encoding.ToShown(stored), row.typed);
    } else {
      EXPECT_EQ(UsageMessage([&] { encoding.FromTyped(row.typed, "--author"); }),
                std::string("--author: the archive's encoding ") + row.encoding + " has no " + row.refused);
    }
  }
}

TEST(TextEncodingTest, EveryByteComesBackThroughUtf8) {
  for (const char* name : kEncodings) {
    const TextEncoding encoding = TextEncoding::Named(name);
    for (unsigned byte = 0; byte < 256; ++byte) {
      EXPECT_EQ(encoding.FromUtf8(encoding.ToUtf8(Byte(byte)), "x"), Byte(byte)) << name << " byte " << byte;
    }
  }
  // Windows-1252 leaves 0x81 unassigned: it stands for the C1 control of its value.
  EXPECT_EQ(TextEncoding::Named("windows-1252").ToUtf8("\x81"), "\u0081");
}

TEST(TextEncodingTest, RefusesWhatIsNoArchiveEncodingAndBrokenTypedText) {
  const struct {
    const char* name;
    const char* message;
  } kRefused[] = {
      {"no-such-encoding", "not an encoding of one byte per character"},
      {"UTF-8", "not an encoding of one byte per character"},
      {"UTF-16", "not an encoding of one byte per character"},
      {"EBCDIC-US", "does not keep ASCII"},
  };
  for (const auto& row : kRefused) {
    EXPECT_NE(UsageMessage([&] { TextEncoding::Named(row.name); }).find(row.message), std::string::npos) << row.name;
  }
  EXPECT_EQ(UsageMessage([] { TextEncoding::Named("cp437").FromTyped("caf\xE9", "the search text"); }),
            "the search text is not valid text in the locale's encoding");
}

TEST(TextEncodingTest, NamesAreUtf8WhenValidElseTheirBytesEscaped) {
  EXPECT_EQ(NameForJson("/data/Zoë/SORTS"), "/data/Zoë/SORTS");
  EXPECT_EQ(NameForJson("/data/Zo\xEB/x\xC3"), "/data/Zo\\xEB/x\\xC3");
  EXPECT_EQ(NameForJson("\xC0\xAF\xED\xA0\x80"), "\\xC0\\xAF\\xED\\xA0\\x80");  // overlong, surrogate
}

#ifdef VEK_HAVE_RE2
// The one-pass scan's plain term and -E fold the same letters: every byte against every
// byte, in each encoding.
TEST(TextEncodingTest, PlainSearchFoldsLettersAsRegexDoes) {
  for (const char* name : kEncodings) {
    const TextEncoding encoding = TextEncoding::Named(name);
    size_t folded_pairs = 0;
    for (unsigned needle = 1; needle < 256; ++needle) {
      const oldvek::CaseBlindText plain(Byte(needle), encoding.lower_case());
      const bool ascii_mark = needle < 0x80 && !std::isalnum(static_cast<int>(needle));
      const auto regex = RegexText((ascii_mark ? "\\" : "") + Byte(needle), false, encoding);
      for (unsigned text = 1; text < 256; ++text) {
        const bool found = plain.Matches(Byte(text));
        ASSERT_EQ(found, regex->Matches(Byte(text))) << name << ": byte " << needle << " in byte " << text;
        folded_pairs += found && needle != text;
      }
    }
    // É and é in each of them, and more letters than a-z.
    const std::string e_acute = encoding.FromUtf8("é", "x");
    EXPECT_TRUE(oldvek::CaseBlindText(encoding.FromUtf8("CAFÉ", "x"), encoding.lower_case()).Matches("caf" + e_acute));
    EXPECT_GT(folded_pairs, 2 * 26u) << name;
  }
}
#endif

}  // namespace
}  // namespace vek
