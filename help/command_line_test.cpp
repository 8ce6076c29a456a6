#include "command_line.h"

#include <gtest/gtest.h>

namespace vekhelp {
namespace {

TEST(CommandLineTest, ArgumentTextFollowsTheProgramNameAndNamesTheFirstTopic) {
  const std::pair<std::string_view, std::string_view> topics[] = {
      {"\"<INDEX>\"", "<INDEX>"}, {"  \" <OLD INDEX> \"  ", "<OLD INDEX>"},
      {"<A\"B>", "<A B>"},        {"", "<INTRODUCTION>"},
      {"   ", "<INTRODUCTION>"},  {"\"\"", "<INTRODUCTION>"},
      {"INDEX", "INDEX"},           // the argument carries its own brackets
      {"\t<INDEX>", "\t<INDEX>"}};  // only blanks are trimmed
  for (const auto& [argument, topic] : topics) EXPECT_EQ(FirstTopic(argument), topic) << argument;
  const std::pair<std::string_view, std::string_view> texts[] = {
      {"VekHelp.exe \"<INDEX>\"", "\"<INDEX>\""},
      {"\"C:\\Program Files\\VEK\\VekHelp.exe\"  <A B> ", "<A B> "},
      {"\"C:\\VEK\\VekHelp.exe\"<A>", "<A>"},
      {"VekHelp.exe\t\t<A>", "<A>"},
      {"VekHelp.exe", ""},
      {"\"C:\\VEK\\VekHelp.exe", ""},
      {"", ""}};
  for (const auto& [command_line, argument] : texts) EXPECT_EQ(ArgumentText(command_line), argument) << command_line;
  EXPECT_EQ(JoinArguments({"<OLD", "INDEX>"}), "<OLD INDEX>");
  EXPECT_EQ(JoinArguments({}), "");
}

}  // namespace
}  // namespace vekhelp
