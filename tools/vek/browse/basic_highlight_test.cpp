#include "browse/basic_highlight.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

// Each case: a line, and under it the kind of every byte: . plain, L line number, K keyword,
// S string, C comment, N number.
struct Case {
  const char* line;
  const char* kinds;
};

constexpr Case kCases[] = {
    {"10 PRINT \"HI\": GOTO 10", "LL.KKKKK.SSSS..KKKK.NN"},
    {"  IF A$(I) > A$(I + 1) THEN SWAP A$(I), A$(I + 1)", "..KK................N..KKKK.KKKK...............N."},
    {"X = LEFT$(N$, 3) + lefts$", "....KKKKK.....N.........."},
    {"REM a comment \"not a string\"", "CCCCCCCCCCCCCCCCCCCCCCCCCCCC"},
    {"CLS: rem done", "KKK..CCCCCCCC"},
    {"REMARK = 1", ".........N"},
    {"A = 1 ' counts \"x\" REM", "....N.CCCCCCCCCCCCCCCC"},
    {"PRINT \"unclosed 'quote", "KKKKK.SSSSSSSSSSSSSSSS"},
    {"N& = &HFF + 1.5E + .25# + Count%", ".....NNNN...NNN....NNNN........."},
    {"Loop1: GOSUB Sub2", ".......KKKKK....."},
    {"", ""},
    {"   ", "..."},
    {"2 3", "L.N"},
};

std::string Kinds(std::string_view line) {
  std::string kinds(line.size(), '.');
  for (const TokenRun& run : HighlightBasic(line)) {
    constexpr char kLetters[] = ".LKSCN";
    for (size_t i = run.begin; i < run.begin + run.length; ++i) kinds[i] = kLetters[static_cast<int>(run.token)];
  }
  return kinds;
}

TEST(BasicHighlightTest, MarksEveryByte) {
  for (const Case& c : kCases) EXPECT_EQ(Kinds(c.line), c.kinds) << c.line;
}

}  // namespace
}  // namespace vek
