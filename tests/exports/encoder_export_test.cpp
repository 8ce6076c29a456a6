// EncodeZorvit as the reader calls it, with a user at its dialog: one source, run against
// libOldVek.so through the Linux host and, under Wine, against OldVek.dll with the real
// dialog driven from a second thread.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "caller_values.h"
#include "encoder_user.h"
#include "library_criteria.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"
#include "text_lines.h"

namespace oldvek::testing {
namespace {

using Log = std::vector<std::string>;

const std::string kTooLong = "box FILE NAME ERROR: QB/PDS file names can only be a maximum of 12 characters";
const std::string kShownHello = "Encoding HI.TXT\r\nto | HELLO.BAS";
const std::string kNoLanguage = "box LANGUAGE ERROR: You did not select a language for ZORVIT encoding";
// The lines of a page of "hello", which its dialect's head and tail make, and so tell the dialect
// that was chosen; the encoder's own tests hold every line to its sample.
const std::map<int32_t, size_t> kHelloPageLines{{kPowerBasic, 84}, {kVisualBasic, 60}, {kQuickBasic, 57}};

// What the user sees of a call: the parent disabled and the dialog shown, `during`, then the
// parent enabled again before the dialog goes. Windows shows no message pass.
Log Seen(const std::string& shown, const Log& during) {
  Log log{"parent disabled", "shown " + shown};
  for (const std::string& entry : during) {
    if (entry != "pass" || kPassesSeen) log.push_back(entry);
  }
  log.insert(log.end(), {"parent enabled", "closed"});
  return log;
}

// `before`, then one page written: the dialog shrunk to its label, which names the page, and
// the box at the end.
Log Written(const std::string& input, const std::string& page, Log before = {}) {
  before.insert(before.end(), {"shrunk", "label Encoding " + input + " to " + page, "pass",
                               "box Encoding Finished: Zorvit encoding complete"});
  return before;
}

struct Outcome {
  int32_t status = -2;
  std::vector<std::string> pages;
  long pages_lower = 0;
  Log seen;
};

class EncodeZorvitTest : public ::testing::Test {
 protected:
  std::string Input(const std::string& relative, std::string_view bytes) {
    const std::string path = folder_.File(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteFileBytes(path, bytes);
    return path;
  }

  // The page list passed in holds a name already, as the reader's may.
  Outcome Encode(const std::string& input, const std::string& suggested, std::vector<DialogTurn> turns,
                 bool overwrite = false) {
    EncoderUser user(std::move(turns), overwrite);
    StringArray pages({"C:\\EARLIER.BAS"});
    Outcome outcome;
    outcome.status = user.Encode(input, suggested, pages);
    if (!pages.erased()) {
      outcome.pages = pages.items();
      outcome.pages_lower = pages.lower();
    }
    outcome.seen = user.seen();
    return outcome;
  }

  TempFolder folder_;
  KeepLibraryCriteria keep_criteria_;  // the choices made here stay out of later tests
};

// Each row in a folder of its own holding HI.TXT: the turns, the name suggested, the status,
// the one page written (none: the caller's page list stays as it was) and the refusals before.
// The options choose the dialects in the order of the encoder's table. Quick Basic takes
// twelve characters typed, blanks after the name not counted, and refuses more once, waiting
// unchanged for the next press; an emptied box takes the suggestion, however long; a name
// without a dot gets ".BAS".
TEST_F(EncodeZorvitTest, TheDialogAsTheUserSeesItAndThePageWritten) {
  struct Case {
    std::vector<DialogTurn> turns;
    std::string suggested;
    int32_t status;
    std::string page;
    Log refusals;
  };
  const Case cases[] = {
      {{{kPowerBasic, std::nullopt, kFinish}}, "HELLO.BAS", 1, "HELLO.BAS", {}},
      {{{kVisualBasic, std::nullopt, kFinish}}, "HELLO.BAS", 1, "HELLO.BAS", {}},
      {{{kQuickBasic, std::nullopt, kFinish}}, "HELLO.BAS", 1, "HELLO.BAS", {}},
      {{{kQuickBasic, "OTHER", kCancel}}, "HELLO.BAS", 0, "", {}},
      {{{0, "PLAIN", kFinish}}, "HELLO.BAS", -1, "", {kNoLanguage}},
      {{{kQuickBasic, "ABCDEFGHI", kFinish}, {0, "SHORT", kFinish}}, "HELLO.BAS", 1, "SHORT.BAS", {kTooLong}},
      {{{kQuickBasic, " ABCDEFGX", kFinish}, {0, "ABCDEFGX    ", kFinish}}, "HELLO.BAS", 1, "ABCDEFGX.BAS", {kTooLong}},
      {{{kQuickBasic, "abcdefgh", kFinish}}, "HELLO.BAS", 1, "ABCDEFGH.BAS", {}},
      {{{kQuickBasic, "", kFinish}}, "A_LONG_DEFAULT_NAME", 1, "A_LONG_DEFAULT_NAME.BAS", {}},
      {{{kVisualBasic, "A_LONG_TYPED_NAME", kFinish}}, "HELLO.BAS", 1, "A_LONG_TYPED_NAME.BAS", {}},
      {{{kPowerBasic, "PROG", kFinish}}, "HELLO.BAS", 1, "PROG.BAS", {}},
      {{{kPowerBasic, "README.TXT", kFinish}}, "HELLO.BAS", 1, "README.TXT", {}},
      {{{kPowerBasic, "", kFinish}}, "NOTES", 1, "NOTES.BAS", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page + " from " + c.suggested);
    TempFolder folder;
    const std::string input = folder.File("HI.TXT");
    WriteFileBytes(input, "hello");
    const Outcome outcome = Encode(input, folder.File(c.suggested), c.turns);
    EXPECT_EQ(outcome.status, c.status);
    if (c.page.empty()) {
      EXPECT_EQ(outcome.pages, std::vector<std::string>{"C:\\EARLIER.BAS"});
      EXPECT_EQ(folder.Files(), std::set<std::string>{"HI.TXT"});
    } else {
      EXPECT_EQ(outcome.pages, std::vector<std::string>{folder.File(c.page)});
      EXPECT_EQ(outcome.pages_lower, 1);
      EXPECT_EQ(folder.Files(), (std::set<std::string>{"HI.TXT", c.page}));
      const size_t lines = kHelloPageLines.at(c.turns.front().option);  // the first turn chose the dialect
      EXPECT_EQ(SplitCrLfLines(ReadFileBytes(folder.File(c.page))).size(), lines);
    }
    const Log during = c.page.empty() ? c.refusals : Written(input, folder.File(c.page), c.refusals);
    EXPECT_EQ(outcome.seen, Seen("Encoding HI.TXT\r\nto | " + c.suggested, during));
  }
}

TEST_F(EncodeZorvitTest, OutputGoesToTheSuggestedFolderOrBesideTheInput) {
  const std::string sep(1, folder_.path().back());
  const std::string input = Input("DATA" + sep + "DATA", "hello");
  std::filesystem::create_directories(folder_.File("OUT"));

  const std::string page = folder_.File("OUT" + sep + "SUGGEST.BAS");
  Outcome outcome = Encode(input, page, {{kPowerBasic, std::nullopt, kFinish}});
  EXPECT_EQ(outcome.seen, Seen("Encoding DATA\r\nto | SUGGEST.BAS", Written(input, page)));
  EXPECT_EQ(outcome.pages, std::vector<std::string>{page});

  // Without a folder in the suggestion, the pages go beside the input, even when its name
  // also stands earlier in its path.
  outcome = Encode(input, "SUGGEST.BAS", {{kPowerBasic, std::nullopt, kFinish}});
  EXPECT_EQ(outcome.pages, std::vector<std::string>{folder_.File("DATA" + sep + "SUGGEST.BAS")});
  EXPECT_EQ(SplitCrLfLines(ReadFileBytes(outcome.pages[0]))[0],
            "'>>> Page 1 of 1 of DATA begins here. TYPE:BINAA TLEN:5");
}

TEST_F(EncodeZorvitTest, ExistingFirstPageIsOverwrittenOnlyWhenTheUserSaysYes) {
  const std::string input = Input("HI.TXT", "hello");
  const std::string existing = folder_.File("HELLO.BAS");
  WriteFileBytes(existing, "10 PRINT \"MINE\"\r\n");
  // Yes and No, a question mark, No the default button, system-modal.
  const std::string question =
      "box HELLO.BAS EXISTS: " + existing + " already exists.  Do you want to overwrite it? (style 0x1124)";

  Outcome outcome = Encode(input, existing, {{kQuickBasic, std::nullopt, kFinish}}, /*overwrite=*/false);
  EXPECT_EQ(outcome.status, -1);
  EXPECT_EQ(outcome.seen, Seen(kShownHello, {question}));
  EXPECT_EQ(ReadFileBytes(existing), "10 PRINT \"MINE\"\r\n");

  outcome = Encode(input, existing, {{kQuickBasic, std::nullopt, kFinish}}, /*overwrite=*/true);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.seen, Seen(kShownHello, Written(input, existing, {question})));
  EXPECT_EQ(SplitCrLfLines(ReadFileBytes(existing)).size(), kHelloPageLines.at(kQuickBasic));
}

// The switch words of options 1500, 1501 and 1502 are at offsets 4, 0 and 12; the button pressed
// last at offset 20.
TEST_F(EncodeZorvitTest, TheChoicesStayInTheSearchCriteria) {
  SearchCriteria* criteria = LibraryCriteria();
  const std::string input = Input("HI.TXT", "hello");
  struct Case {
    std::vector<DialogTurn> turns;
    int32_t author, subject, packet, button;
    const char* term;
  };
  const Case cases[] = {
      {{{kVisualBasic, "MY NOTES", kFinish}}, 0, 1, 0, kFinish, "MY NOTES"},
      // CANCEL reads neither the options nor the name.
      {{{kQuickBasic, "OTHER", kCancel}}, 0, 1, 0, kCancel, "MY NOTES"},
      // A refused name is kept as typed, like every name read on FINISH.
      {{{kQuickBasic, "NINE_CHAR", kFinish}, {0, std::nullopt, kCancel}}, 0, 0, 1, kCancel, "NINE_CHAR"},
  };
  for (const Case& c : cases) {
    Encode(input, folder_.File("HELLO.BAS"), c.turns);
    EXPECT_EQ((std::vector{criteria->AuthorSwitch, criteria->SubjectSwitch, criteria->PacketSwitch}),
              (std::vector{c.author, c.subject, c.packet}));
    EXPECT_EQ(criteria->Criterion4Switch, c.button);
    EXPECT_EQ(std::string(criteria->CodeTextTerm, 256), Fixed(c.term, 256));
  }
}

#ifndef _WIN32
TEST_F(EncodeZorvitTest, WithoutAHostTheDialogIsCancelled) {
  Bstr input(Input("HI.TXT", "hello"));
  Bstr suggested(folder_.File("HELLO.BAS"));
  StringArray pages;
  int32_t status = -2;
  EncodeZorvit(input.get(), suggested.get(), pages.get(), &status, nullptr);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(folder_.Files(), std::set<std::string>{"HI.TXT"});
}
#endif

}  // namespace
}  // namespace oldvek::testing
