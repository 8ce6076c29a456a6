#include "help_search.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "testing/temp_help_file.h"

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;

TEST(HelpSearchTest, ReportsEachTopicHoldingTheTextAfterTheTopicsOwnEntries) {
  const std::initializer_list<std::string_view> sorting = {"<CONTENTS>",
                                                           "INTRODUCTION",
                                                           "SORTING",
                                                           "FILES",
                                                           "SPLASH",
                                                           "<END>",
                                                           "<INTRODUCTION>",
                                                           "Welcome to the help.",
                                                           "[SORTING][FILES]",
                                                           "<END>",
                                                           "<SORTING>",
                                                           "A bubble sort swaps neighbours.",
                                                           "A shell sort compares far apart.",
                                                           "<END>",
                                                           "<FILES>",
                                                           "Files are opened and closed on every request.",
                                                           "<END>",
                                                           "<SPLASH>",
                                                           "Nothing but a title.",
                                                           "<ENDHELP>"};
  const struct {
    std::initializer_list<std::string_view> file;  // empty: the file above
    Lines before;
    std::string_view text;
    Lines after;
  } cases[] = {
      {{}, {}, "ARE", {"<SORTING>", "<FILES>"}},  // in file order
      {{}, {}, "BUBBLE SORT", {"<SORTING>"}},
      {{}, {}, "bubble", {}},             // the text arrives upper-cased: lower case never matches a letter
      {{}, {}, " SORT ", {"<SORTING>"}},  // several hits, one report
      {{}, {}, "SPLASH", {"<SPLASH>"}},   // a hit on a header line
      {{}, {}, "SORT", {"<INTRODUCTION>", "<SORTING>"}},  // see-also lines are searched
      {{}, {}, "END", {}},
      {{}, {}, "", {"<INTRODUCTION>", "<SORTING>", "<FILES>", "<SPLASH>"}},
      // Every header holds "<", yet the header right after a reported topic is stepped over.
      {{}, {}, "<", {"<INTRODUCTION>", "<FILES>"}},
      {{"<CONTENTS>", "<END>", "<SORTING>", "sorting", "<END>", "<SORT KEYS>", "none here", "<ENDHELP>"},
       {},
       "SORT",
       {"<SORTING>"}},
      {{"<CONTENTS>", "ZEBRA", "<END>", "<A>", "plain", "<ENDHELP>"}, {}, "ZEBRA", {}},
      {{"<CONTENTS>", "<END>", "<A>", "nothing", "<END>", "<B>", "yes", "<ENDHELP>"}, {}, "E", {"<B>"}},
      {{"<CONTENTS>", "<END>", "stray line", "<A>", "a", "<ENDHELP>"}, {}, "STRAY", {"<A>"}},
      {{"<CONTENTS>", "<END>", "<A>", "a", "<ENDHELP>", "trailer"}, {}, "TRAILER", {}},  // the last line
      {{"<CONTENTS>", "A", "<A>", "text"}, {"OWN", "<OLD RESULT>"}, "TEXT", {"OWN"}},    // no end marker
      // A second search keeps the topic's own entries only, and no empty slot.
      {{}, {"SORTING", "FILES", "<SORTING>"}, "TITLE", {"SORTING", "FILES", "<SPLASH>"}},
      {{}, {"SORTING", "FILES", "<SORTING>"}, "NOWHERE", {"SORTING", "FILES"}},
      {{}, {""}, "TITLE", {"<SPLASH>"}},
      {{}, {"A", "", "B"}, "TITLE", {"A", "B", "<SPLASH>"}},
  };
  for (const auto& c : cases) {
    testing::TempHelpFile help;
    help.Write(c.file.size() == 0 ? sorting : c.file);
    HelpLists lists;
    lists.see_also_entries = c.before;
    const auto found = std::count_if(c.after.begin(), c.after.end(), [](const auto& e) { return e.starts_with('<'); });
    EXPECT_EQ(SearchHelp(help.file(), c.text, lists), static_cast<size_t>(found)) << c.text;
    EXPECT_EQ(lists.see_also_entries, c.after) << c.text;
  }
  const testing::TempHelpFile missing;
  HelpLists lists{{"<A>", "text"}, {}, {"OWN", "<OLD RESULT>"}};
  EXPECT_EQ(SearchHelp(missing.file(), "TEXT", lists), 0u) << "a missing file finds nothing, drops old results";
  EXPECT_EQ(lists.see_also_entries, (Lines{"OWN"}));
  EXPECT_EQ(lists.topic_lines, (Lines{"<A>", "text"}));
}

}  // namespace
}  // namespace vekhelp
