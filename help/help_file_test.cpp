#include "help_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "testing/temp_help_file.h"

namespace vekhelp {
namespace {

using Lines = std::vector<std::string>;

// Every line of the file, or nothing when the read failed.
std::optional<Lines> AllLines(const HelpFile& file) {
  Lines lines;
  if (!file.ReadLines([&](const std::string& line) { return lines.push_back(line), true; })) return std::nullopt;
  return lines;
}

TEST(HelpFileTest, LinesEndAtCrLfOrLfAndAnUnreadableFileFails) {
  const std::string long_line(20000, 'x');
  const std::string crlf_split(8191, 'y');  // its CR is the last byte of the first read
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"<A>\r\none\ntwo\r\n\r\nlast", {"<A>", "one", "two", "", "last"}},
      {std::string("a\rb\r\nc\r\r\n\xE4\xFF\x00z\r\n", 15), {"a\rb", "c\r", std::string("\xE4\xFF\x00z", 4)}},
      {crlf_split + "\r\n" + long_line + "\r\nend\r\n", {crlf_split, long_line, "end"}},
      {"", {}},
  };
  testing::TempHelpFile help;
  for (const auto& c : cases) {
    help.WriteBytes(c.bytes);
    EXPECT_EQ(AllLines(help.file()), c.lines) << c.bytes.substr(0, 20);
  }
  help.Remove();
  EXPECT_EQ(AllLines(help.file()), std::nullopt);
  std::filesystem::create_directory(help.file().path());  // a file that opens, or not, but cannot be read
  EXPECT_EQ(AllLines(help.file()), std::nullopt);
}

}  // namespace
}  // namespace vekhelp
