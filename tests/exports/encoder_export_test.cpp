// EncodeZorvit as the reader calls it, with a user at its dialog: one source, run against
// libOldVek.so through the Linux host and, under Wine, against OldVek.dll with the real
// dialog driven from a second thread.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "caller_values.h"
#include "encoder_user.h"
#include "library_criteria.h"
#include "oldvek.h"
#include "packet_writer.h"
#include "temp_folder.h"
#include "text_lines.h"
#include "zorvit_pages.h"

namespace oldvek::testing {
namespace {

constexpr uint32_t kOverwriteQuestion = 0x4 | 0x20 | 0x100 | 0x1000;  // Yes/No, question, No default, system-modal
const MessageBoxSeen kFinished{"Encoding Finished", "Zorvit encoding complete", 0};

struct Outcome {
  int32_t status = -2;
  std::vector<std::string> pages;
  long pages_lower = 0;
  EncoderUser::Record record;
  std::vector<std::string> events;
};

// The one page the library's encoder makes of "hello" as HI.TXT; its unit tests hold it to the
// dialects' sample pages.
PageLines HelloPage(PageDialect dialect) { return EncodePages("hello", "HI.TXT", "HELLO.BAS", dialect).at(0); }

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
    outcome.record = user.record();
    outcome.events = user.events();
    return outcome;
  }

  std::vector<std::string> FolderFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  TempFolder folder_;
  KeepLibraryCriteria keep_criteria_;  // the choices made here stay out of later tests
};

// The dialog comes and goes without a page being written, and the parent window is given back.
void ExpectNothingWritten(const Outcome& outcome) {
  EXPECT_FALSE(outcome.record.shrunk);
  EXPECT_TRUE(outcome.record.labels.empty());
  EXPECT_TRUE(outcome.record.closed);
  EXPECT_TRUE(outcome.record.parent_disabled_while_shown);
  EXPECT_TRUE(outcome.record.parent_enabled_after);
  EXPECT_EQ(outcome.record.unexpected_waits, 0);
}

// The options choose the dialects in the order of the encoder's table.
TEST_F(EncodeZorvitTest, EachDialectWritesItsOnePageAndNamesItInTheLabel) {
  struct Case {
    int32_t option;
    PageDialect dialect;
  };
  for (const Case& c : {Case{kPowerBasic, PageDialect::kPowerBasic}, Case{kVisualBasic, PageDialect::kVisualBasic},
                        Case{kQuickBasic, PageDialect::kQuickBasic}}) {
    SCOPED_TRACE(c.option);
    TempFolder folder;
    const std::string input = folder.File("HI.TXT");
    WriteFileBytes(input, "hello");
    const Outcome outcome = Encode(input, folder.File("HELLO.BAS"), {{c.option, std::nullopt, kFinish}});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.pages, std::vector<std::string>{folder.File("HELLO.BAS")});
    EXPECT_EQ(outcome.pages_lower, 1);
    EXPECT_EQ(SplitCrLfLines(ReadFileBytes(folder.File("HELLO.BAS"))), HelloPage(c.dialect));
    EXPECT_EQ(outcome.record.label_shown, "Encoding HI.TXT\r\nto");
    EXPECT_EQ(outcome.record.name_shown, "HELLO.BAS");
    EXPECT_TRUE(outcome.record.parent_disabled_while_shown);
    EXPECT_TRUE(outcome.record.shrunk);
    EXPECT_EQ(outcome.record.labels,
              (std::vector<std::string>{"Encoding " + input + " to " + folder.File("HELLO.BAS")}));
    EXPECT_EQ(outcome.record.boxes, std::vector<MessageBoxSeen>{kFinished});
    EXPECT_TRUE(outcome.record.closed);
    EXPECT_TRUE(outcome.record.parent_enabled_after);
  }
}

// Cancelled, or refused for want of a language: nothing is written, and the caller's page list
// stays as it was.
TEST_F(EncodeZorvitTest, CancelOrNoLanguageWritesNothingAndLeavesThePageListAlone) {
  const std::string input = Input("HI.TXT", "hello");
  const MessageBoxSeen no_language{"LANGUAGE ERROR", "You did not select a language for ZORVIT encoding", 0};
  struct Case {
    std::vector<DialogTurn> turns;
    int32_t status;
    std::vector<MessageBoxSeen> boxes;
  };
  const Case cases[] = {{{{kQuickBasic, std::string("OTHER"), kCancel}}, 0, {}},
                        {{{0, std::string("PLAIN"), kFinish}}, -1, {no_language}}};
  for (const Case& c : cases) {
    const Outcome outcome = Encode(input, folder_.File("HELLO.BAS"), c.turns);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.pages, std::vector<std::string>{"C:\\EARLIER.BAS"});
    EXPECT_EQ(outcome.record.boxes, c.boxes);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"HI.TXT"});
    ExpectNothingWritten(outcome);
  }
}

// A name too long is refused once, and the dialog waits, unchanged, for the next press. Blanks
// after the name do not count; blanks before it do.
TEST_F(EncodeZorvitTest, QuickBasicNamesTypedAreKeptToTwelveCharacters) {
  const std::string input = Input("HI.TXT", "hello");
  const MessageBoxSeen too_long{"FILE NAME ERROR", "QB/PDS file names can only be a maximum of 12 characters", 0};
  for (const auto& [refused, accepted, page] : {std::tuple{"ABCDEFGHI", "SHORT", "SHORT.BAS"},
                                                std::tuple{" ABCDEFGX", "ABCDEFGX    ", "ABCDEFGX.BAS"}}) {
    const Outcome outcome = Encode(input, folder_.File("HELLO.BAS"), {{kQuickBasic, std::string(refused), kFinish},
                                                                       {0, std::string(accepted), kFinish}});
    EXPECT_EQ(outcome.record.unexpected_waits, 0);
    EXPECT_EQ(outcome.record.boxes, (std::vector<MessageBoxSeen>{too_long, kFinished}));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.pages, std::vector<std::string>{folder_.File(page)});
  }
  EXPECT_FALSE(FileExists(folder_.File("ABCDEFGHI.BAS")));
}

// Each row: the option, the suggested name, what is typed, the page written. Quick Basic takes
// eight characters and ".BAS" typed in any case; an emptied box takes the suggestion, however
// long; a name without a dot gets ".BAS".
TEST_F(EncodeZorvitTest, ThePageNameComesFromTheTypedNameOrTheSuggestion) {
  const std::string input = Input("HI.TXT", "hello");
  struct Case {
    int32_t option;
    const char* suggested;
    const char* typed;
    const char* page;
  };
  for (const Case& c : {Case{kQuickBasic, "HELLO.BAS", "abcdefgh", "ABCDEFGH.BAS"},
                        Case{kQuickBasic, "A_LONG_DEFAULT_NAME", "", "A_LONG_DEFAULT_NAME.BAS"},
                        Case{kVisualBasic, "HELLO.BAS", "A_LONG_TYPED_NAME", "A_LONG_TYPED_NAME.BAS"},
                        Case{kPowerBasic, "HELLO.BAS", "PROG", "PROG.BAS"},
                        Case{kPowerBasic, "HELLO.BAS", "README.TXT", "README.TXT"},
                        Case{kPowerBasic, "NOTES", "", "NOTES.BAS"}}) {
    const Outcome outcome = Encode(input, folder_.File(c.suggested), {{c.option, std::string(c.typed), kFinish}});
    EXPECT_EQ(outcome.status, 1) << c.page;
    EXPECT_EQ(outcome.pages, std::vector<std::string>{folder_.File(c.page)});
  }
}

TEST_F(EncodeZorvitTest, OutputGoesToTheSuggestedFolderOrBesideTheInput) {
  const std::string sep(1, folder_.path().back());
  const std::string input = Input("DATA" + sep + "DATA", "hello");
  std::filesystem::create_directories(folder_.File("OUT"));

  Outcome outcome = Encode(input, folder_.File("OUT" + sep + "SUGGEST.BAS"), {{kPowerBasic, std::nullopt, kFinish}});
  EXPECT_EQ(outcome.record.label_shown, "Encoding DATA\r\nto");
  EXPECT_EQ(outcome.record.name_shown, "SUGGEST.BAS");
  EXPECT_EQ(outcome.pages, std::vector<std::string>{folder_.File("OUT" + sep + "SUGGEST.BAS")});

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
  const MessageBoxSeen question{"HELLO.BAS EXISTS", existing + " already exists.  Do you want to overwrite it?",
                                kOverwriteQuestion};

  Outcome outcome = Encode(input, existing, {{kQuickBasic, std::nullopt, kFinish}}, /*overwrite=*/false);
  EXPECT_EQ(outcome.status, -1);
  EXPECT_EQ(outcome.record.boxes, std::vector<MessageBoxSeen>{question});
  EXPECT_EQ(ReadFileBytes(existing), "10 PRINT \"MINE\"\r\n");
  ExpectNothingWritten(outcome);

  outcome = Encode(input, existing, {{kQuickBasic, std::nullopt, kFinish}}, /*overwrite=*/true);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.record.boxes, (std::vector<MessageBoxSeen>{question, kFinished}));
  EXPECT_EQ(SplitCrLfLines(ReadFileBytes(existing)), HelloPage(PageDialect::kQuickBasic));
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
      {{{kVisualBasic, std::string("MY NOTES"), kFinish}}, 0, 1, 0, kFinish, "MY NOTES"},
      // CANCEL reads neither the options nor the name.
      {{{kQuickBasic, std::string("OTHER"), kCancel}}, 0, 1, 0, kCancel, "MY NOTES"},
      // A refused name is kept as typed, like every name read on FINISH.
      {{{kQuickBasic, std::string("NINE_CHAR"), kFinish}, {0, std::nullopt, kCancel}}, 0, 0, 1, kCancel, "NINE_CHAR"},
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
// The host sees the whole conversation in order: one pass after each change of the label,
// and the parent window enabled before the dialog goes.
TEST_F(EncodeZorvitTest, HostSeesTheDialogInOrder) {
  const std::string input = Input("HI.TXT", "hello");
  const Outcome outcome = Encode(input, folder_.File("HELLO.BAS"), {{kPowerBasic, std::nullopt, kFinish}});
  EXPECT_EQ(outcome.events, (std::vector<std::string>{"enable 0", "shown", "wait", "shrunk",
                                                      "label Encoding " + input + " to " + folder_.File("HELLO.BAS"),
                                                      "pass", "box Encoding Finished", "enable 1", "closed"}));
}

TEST_F(EncodeZorvitTest, WithoutAHostTheDialogIsCancelled) {
  Bstr input(Input("HI.TXT", "hello"));
  Bstr suggested(folder_.File("HELLO.BAS"));
  StringArray pages;
  int32_t status = -2;
  EncodeZorvit(input.get(), suggested.get(), pages.get(), &status, nullptr);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{"HI.TXT"});
}
#endif

}  // namespace
}  // namespace oldvek::testing
