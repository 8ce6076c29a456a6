#include "help_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "testing/temp_help_file.h"

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;
using testing::TempHelpFile;

// Every line of the file, or nothing when the read failed.
std::optional<Lines> AllLines(const HelpFile& file) {
  Lines lines;
  if (!file.ReadLines([&](const std::string& line) {
        lines.push_back(line);
        return true;
      })) {
    return std::nullopt;
  }
  return lines;
}

TEST(HelpFileTest, LinesEndAtCrLfOrLf) {
  TempHelpFile help;
  help.WriteBytes("<A>\r\none\ntwo\r\n\r\nlast");
  EXPECT_EQ(AllLines(help.file()), (Lines{"<A>", "one", "two", "", "last"}));
}

TEST(HelpFileTest, EveryByteButTheLineEndIsText) {
  TempHelpFile help;
  help.WriteBytes(std::string("a\rb\r\nc\r\r\n\xE4\xFF\x00z\r\n", 15));
  EXPECT_EQ(AllLines(help.file()), (Lines{"a\rb", "c\r", std::string("\xE4\xFF\x00z", 4)}));
}

TEST(HelpFileTest, LinesLongerThanOneReadComeBackWhole) {
  TempHelpFile help;
  const std::string long_line(20000, 'x');
  const std::string crlf_split(8191, 'y');  // its CR is the last byte of the first read
  help.WriteBytes(crlf_split + "\r\n" + long_line + "\r\nend\r\n");
  EXPECT_EQ(AllLines(help.file()), (Lines{crlf_split, long_line, "end"}));
}

TEST(HelpFileTest, EmptyFileHasNoLines) {
  TempHelpFile help;
  help.WriteBytes("");
  EXPECT_EQ(AllLines(help.file()), Lines{});
}

TEST(HelpFileTest, VisitorStopsTheRead) {
  TempHelpFile help;
  help.Write({"1", "2", "3"});
  Lines seen;
  EXPECT_TRUE(help.file().ReadLines([&](const std::string& line) {
    seen.push_back(line);
    return line != "2";
  }));
  EXPECT_EQ(seen, (Lines{"1", "2"}));
}

TEST(HelpFileTest, MissingOrUnreadableFileFails) {
  TempHelpFile help;
  help.Remove();
  EXPECT_EQ(AllLines(help.file()), std::nullopt);
  help.ReplaceWithDirectory();
  EXPECT_EQ(AllLines(help.file()), std::nullopt);
}

}  // namespace
}  // namespace vekhelp
