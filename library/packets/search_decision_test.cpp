#include "packets/search_decision.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "packet_writer.h"

namespace oldvek {
namespace {

using testing::Fixed;

// Where criterion k's switch word lies in the 432-byte record, written out independently of
// the library's own mapping.
constexpr size_t kSwitchOffset[6] = {12, 4, 0, 16, 20, 8};

void SetWord(SearchCriteria& criteria, int criterion, int32_t value) {
  std::memcpy(reinterpret_cast<char*>(&criteria) + kSwitchOffset[criterion], &value, sizeof value);
}

uint8_t Bit(int criterion) { return static_cast<uint8_t>(1u << criterion); }

// The match callback and the code lines as a reader would leave them: a term matches when
// its text before the trailing blanks occurs in the text.
class FakeTerms final : public TermTests {
 public:
  bool Matches(std::string_view text, std::string_view term) override {
    calls.emplace_back(text, term);
    const std::string_view wanted = term.substr(0, term.find_last_not_of(' ') + 1);
    return !wanted.empty() && text.find(wanted) != std::string_view::npos;
  }
  LineBounds CodeLineBounds() override { return {lower, lower + static_cast<int64_t>(lines.size()) - 1}; }
  std::string CodeLine(int64_t index) override { return lines.at(static_cast<size_t>(index - lower)); }

  std::vector<std::pair<std::string, std::string>> calls;
  std::vector<std::string> lines;
  int64_t lower = 1;
};

class SearchDecisionTest : public ::testing::Test {
 protected:
  SearchDecisionTest() {
    Put(snippet_.Author, "Ann Author");
    Put(snippet_.Subject, "Quick sort");
    Put(snippet_.Origin, "Fidonet");
    Put(choice_, "ALL");
  }

  // A fixed-width field holding `text`, padded with blanks.
  template <size_t kWidth>
  static void Put(char (&field)[kWidth], std::string_view text) {
    std::memcpy(field, Fixed(text, kWidth).data(), kWidth);
  }

  bool Passes(int32_t mode, uint8_t bits) {
    return SnippetPasses(mode, bits, criteria_, snippet_, std::string_view(choice_, 32), terms_);
  }

  SearchCriteria criteria_{};
  SnippetRecord snippet_{};
  char choice_[32];
  FakeTerms terms_;
};

TEST_F(SearchDecisionTest, EachBitIsDecidedByItsOwnWordAndOtherModesPassNothing) {
  Put(choice_, "BASICS");
  const struct {
    int32_t mode, word;
    bool passes;
  } cases[] = {{1, 0, false}, {1, 1, true},  {1, -1, true}, {1, 99, true},  {2, 0, false},   {2, -1, false},
               {2, 2, true},  {0, 1, false}, {4, 1, false}, {-1, 1, false}, {1000, 1, false}};
  for (int k = 0; k < 6; ++k) {
    for (const auto& c : cases) {
      // Every other word on, so only the mapping of bit k to its own word can reject.
      for (int other = 0; other < 6; ++other) SetWord(criteria_, other, other == k ? c.word : 1);
      EXPECT_EQ(Passes(c.mode, Bit(k)), c.passes) << "mode " << c.mode << ", criterion " << k << ", word " << c.word;
    }
  }
  EXPECT_TRUE(Passes(1, 0));
  EXPECT_TRUE(Passes(1, 0xC0));  // bits 6 and 7 are ignored
  for (int32_t mode : {0, 4}) EXPECT_FALSE(Passes(mode, 0)) << mode;
  EXPECT_TRUE(terms_.calls.empty());
}

TEST_F(SearchDecisionTest, ModeTwoNeedsOnePositiveWordAndThePacketOneOnlyAgainstAnotherChoice) {
  SetWord(criteria_, 0, 1);
  const std::pair<std::string_view, bool> choices[] = {{"ALL", false},      {"ALL    ", false}, {"BASICS", true},
                                                       {"all", true},       {" ALL", true},     {"", true},
                                                       {{"ALL\0", 4}, true}};
  for (const auto& [choice, passes] : choices) {
    Put(choice_, choice);  // blanks after the choice; only they are trimmed
    EXPECT_EQ(Passes(2, Bit(0)), passes) << '"' << choice << '"';
  }

  for (int k = 0; k < 6; ++k) SetWord(criteria_, k, k == 3 ? 1 : 0);
  EXPECT_TRUE(Passes(2, Bit(1) | Bit(2) | Bit(3)));
  for (uint8_t bits : {uint8_t(Bit(1) | Bit(2)), uint8_t{0}, uint8_t{0xC0}}) EXPECT_FALSE(Passes(2, bits)) << int{bits};
  EXPECT_TRUE(terms_.calls.empty());
}

TEST_F(SearchDecisionTest, ModeThreeWithoutTermsNeedsThePacketBitAndEverySetWordOn) {
  const struct {
    int32_t packet_word, criterion4_word;
    int bits;
    bool passes;
  } cases[] = {
      {1, 1, 0, false},
      {1, 1, Bit(0), true},
      {1, 1, Bit(4), false},
      {1, 1, Bit(0) | Bit(4), true},
      {1, 0, Bit(0) | Bit(4), false},
      {1, 5, Bit(0) | Bit(4), true},
      {0, 1, Bit(0), false},
      {-1, 1, Bit(0), true},
      {1, 1, Bit(0) | 0x40, false},
      {1, 1, Bit(0) | 0x80, false},
  };
  for (const auto& c : cases) {
    SetWord(criteria_, 0, c.packet_word);
    SetWord(criteria_, 4, c.criterion4_word);
    EXPECT_EQ(Passes(3, c.bits), c.passes) << c.packet_word << " " << c.criterion4_word << " " << c.bits;
  }
  EXPECT_TRUE(terms_.calls.empty());
}

TEST_F(SearchDecisionTest, ModeThreeTestsEachFieldTermAsStoredUntilOneFails) {
  SetWord(criteria_, 0, 1);
  Put(criteria_.AuthorTerm, "Ann");
  Put(criteria_.SubjectTerm, "sort");
  Put(criteria_.OriginTerm, "Fido");
  for (int k : {1, 2, 3}) SetWord(criteria_, k, -1);  // -1 counts as on
  EXPECT_TRUE(Passes(3, Bit(0) | Bit(1) | Bit(2) | Bit(3)));
  EXPECT_EQ(terms_.calls,
            (std::vector<std::pair<std::string, std::string>>{{Fixed("Ann Author", 31), Fixed("Ann", 32)},
                                                              {Fixed("Quick sort", 31), Fixed("sort", 32)},
                                                              {Fixed("Fidonet", 31), Fixed("Fido", 32)}}));

  terms_.calls.clear();
  Put(criteria_.AuthorTerm, "Nobody");
  EXPECT_FALSE(Passes(3, Bit(0) | Bit(1) | Bit(2)));
  EXPECT_EQ(terms_.calls.size(), 1u);  // Subject never tested

  terms_.calls.clear();
  SetWord(criteria_, 2, 0);  // a word that is off rejects without a term test
  EXPECT_FALSE(Passes(3, Bit(0) | Bit(2)));
  EXPECT_TRUE(terms_.calls.empty());

  Put(criteria_.AuthorTerm, "Ann");  // the terms are tested even without the packet bit
  EXPECT_FALSE(Passes(3, Bit(1)));
  EXPECT_EQ(terms_.calls.size(), 1u);
}

// Code lines are indices from 3 on, wherever the lower bound lies; the first match ends the test.
TEST_F(SearchDecisionTest, CodeTextMatchesFromLineThreeOn) {
  SetWord(criteria_, 0, 1);
  Put(criteria_.CodeTextTerm, "GOSUB");
  const struct {
    int64_t lower;
    std::vector<std::string> lines;
    int32_t word;
    bool passes;
    size_t calls;
    const char* first_tested;
  } cases[] = {
      {1, {"Summary GOSUB", "Author GOSUB", "PRINT", "GOSUB 100", "GOSUB 200"}, 1, true, 2, "PRINT"},
      {1, {"Summary GOSUB", "Author GOSUB", "PRINT"}, 1, false, 1, "PRINT"},
      {0, {"line 0", "line 1", "line 2 GOSUB", "line 3"}, 1, false, 1, "line 3"},
      {0, {"line 0", "line 1", "line 2", "line 3 GOSUB"}, 1, true, 1, "line 3 GOSUB"},
      {7, {"GOSUB 7"}, 1, true, 1, "GOSUB 7"},
      {1, {"one", "two"}, 1, false, 0, ""},
      {1, {}, 1, false, 0, ""},
      {1, {"a", "b", "GOSUB"}, 0, false, 0, ""},
      {1, {"a", "b", "GOSUB"}, -1, true, 1, "GOSUB"},
  };
  for (const auto& c : cases) {
    terms_.calls.clear();
    terms_.lower = c.lower;
    terms_.lines = c.lines;
    SetWord(criteria_, 5, c.word);
    EXPECT_EQ(Passes(3, Bit(0) | Bit(5)), c.passes) << c.first_tested;
    ASSERT_EQ(terms_.calls.size(), c.calls) << c.first_tested;
    if (c.calls > 0) {
      EXPECT_EQ(terms_.calls[0], std::make_pair(std::string(c.first_tested), Fixed("GOSUB", 256)));
    }
  }
}

}  // namespace
}  // namespace oldvek
