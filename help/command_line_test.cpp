#include "command_line.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

TEST(CommandLineTest, QuotedHeaderLosesItsQuotesAndBlanks) {
  EXPECT_EQ(FirstTopic("\"<INDEX>\""), "<INDEX>");
  EXPECT_EQ(FirstTopic("  \" <OLD INDEX> \"  "), "<OLD INDEX>");
  EXPECT_EQ(FirstTopic("<A\"B>"), "<A B>");
}

TEST(CommandLineTest, NoArgumentMeansTheIntroduction) {
  EXPECT_EQ(FirstTopic(""), "<INTRODUCTION>");
  EXPECT_EQ(FirstTopic("   "), "<INTRODUCTION>");
  EXPECT_EQ(FirstTopic("\"\""), "<INTRODUCTION>");
}

TEST(CommandLineTest, ArgumentMustCarryItsOwnBrackets) {
  EXPECT_EQ(FirstTopic("INDEX"), "INDEX");
  EXPECT_EQ(FirstTopic("\t<INDEX>"), "\t<INDEX>") << "only blanks are trimmed";
}

TEST(CommandLineTest, ArgumentTextFollowsTheProgramName) {
  EXPECT_EQ(ArgumentText("VekHelp.exe \"<INDEX>\""), "\"<INDEX>\"");
  EXPECT_EQ(ArgumentText("\"C:\\Program Files\\VEK\\VekHelp.exe\"  <A B> "), "<A B> ");
  EXPECT_EQ(ArgumentText("\"C:\\VEK\\VekHelp.exe\"<A>"), "<A>");
  EXPECT_EQ(ArgumentText("VekHelp.exe\t\t<A>"), "<A>");
  EXPECT_EQ(ArgumentText("VekHelp.exe"), "");
  EXPECT_EQ(ArgumentText("\"C:\\VEK\\VekHelp.exe"), "");
  EXPECT_EQ(ArgumentText(""), "");
}

TEST(CommandLineTest, ShellArgumentsJoinWithSingleBlanks) {
  EXPECT_EQ(JoinArguments({"<OLD", "INDEX>"}), "<OLD INDEX>");
  EXPECT_EQ(JoinArguments({}), "");
  EXPECT_EQ(FirstTopic(JoinArguments({"\"<INDEX>\""})), "<INDEX>");
}

}  // namespace
}  // namespace vekhelp
