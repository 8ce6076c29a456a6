#include "manual.h"

#include "cli_outline.h"
#include "oldvek_version.h"
#include "packets/packet_files.h"

namespace vek {
namespace {

// roff reads a leading "." or "'" as a request and "\" as an escape; "-" is a hyphen, "\-" the
// minus that options start with.
std::string Roff(const std::string& text) {
  std::string out;
  bool line_start = true;
  for (const char c : text) {
    if (line_start && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
    line_start = c == '\n';
  }
  return out;
}

// A command's --help without its first line (the description, shown above it) and without
// the exit statuses every command repeats.
std::string CommandHelp(CLI::App& command, const std::string& footer) {
  std::string help = command.help();
  help.erase(0, help.find('\n') + 1);
  const size_t repeated = help.find(footer);
  if (repeated != std::string::npos) help.erase(repeated);
  while (help.size() > 1 && help[help.size() - 2] == '\n') help.pop_back();
  return help;
}

constexpr const char* kDescription =
    ".B vek\n"
    "works on an archive of BASIC snippets: a folder of packets, each a pair of files\n"
    ".IR NAME .VEK\n"
    "(the snippets: a header of Author, Subject, Origin, Date and Code, then the code lines) and\n"
    ".IR NAME .IDX\n"
    "(one record per snippet, with its read mark).\n"
    "A packet is named without its extension, in any letter case; a snippet by its packet and its\n"
    "number in it, from 1.\n"
    "Files travel inside snippets as ZORVIT pages: BASIC source that rebuilds the file when run.\n"
    ".PP\n"
    "Reading never writes: only\n"
    ".BR new \", \" add \", \" attach \", \" move \", \" delete \" and \" retitle\n"
    "change an archive, and\n"
    ".BR show \" and \" cde\n"
    "mark snippets as read unless told\n"
    ".BR \\-\\-keep\\-unread .\n"
    "An output appears whole or not at all, and a failed command changes nothing.\n"
    "Where a file is named,\n"
    ".B \\-\n"
    "is standard input or output.\n";

constexpr const char* kEnvironment =
    ".TP\n.B VEK_ENCODING\n"
    "the 8\\-bit encoding of the archive's text when\n.B \\-\\-encoding\n"
    "does not name one: windows\\-1252 (the default), cp437, cp850 or latin1.\n"
    "What is typed is converted from the locale's encoding into it, and what is shown back.\n"
    ".TP\n.B NO_COLOR\n"
    "any value turns colours off.\n";

// A packet's files, named as the library names them.
std::string FilesSection() {
  const auto file = [](oldvek::PacketFileKind kind) {
    return "FOLDER / NAME " + std::string(oldvek::PacketFileExtension(kind));
  };
  using Kind = oldvek::PacketFileKind;
  return ".TP\n.IR " + file(Kind::kPacket) + "\na packet: its snippets back to back.\n.TP\n.IR " + file(Kind::kIndex) +
         "\nthe packet's index: one 78\\-byte record per snippet.\n.TP\n.IR " + file(Kind::kLock) +
         "\nthe packet's lock file, made on first use and never removed: a program working on the packet\n"
         "holds it, and another waits for it up to five seconds.\n.TP\n.IR " +
         file(Kind::kRebuiltPacket) + " \", \" " + file(Kind::kRebuiltIndex) +
         "\nthe packet's new files while a deletion or move rebuilds it; an interrupted rebuild is\n"
         "finished or undone on the next use.\n";
}

// A dozen real tasks, on a copy of an archive in ARC.
constexpr const char* kExamples[][2] = {
    {"vek new ARC MINE", "make an archive of one empty packet, MINE (the folder ARC if missing)"},
    {"vek add ARC MINE prog.bas \\-\\-author \"Ann Example\"", "add a snippet of prog.bas's lines, dated today"},
    {"vek attach ARC MINE GAME.EXE", "attach a file as ZORVIT pages, one snippet each"},
    {"vek list ARC", "every packet's snippet list"},
    {"vek show ARC mine 1 \\-\\-keep\\-unread", "a snippet's code and header, its read mark left alone"},
    {"vek search ARC swap \\-\\-in code", "the snippets whose code holds SWAP, in any letter case; exit 1: none"},
    {"vek search ARC \\-\\-in code=swap \\-\\-in author=ann \\-c", "both terms; the number of matches of each packet"},
    {"vek search ARC \\-E 'halloran$' \\-\\-in author \\-l", "a regular expression; the packets that match"},
    {"vek extract ARC MINE 2 GAME.EXE", "every page of the attachment gathered, decoded and checked"},
    {"vek extract ARC SORTS 1 bubble.bas \\-\\-mode text", "a snippet's code lines as a text file"},
    {"vek encode GAME.EXE \\-\\-dir pages && vek decode pages/*.BAS \\-o GAME.EXE",
     "page files of a file, and the file back from them in any order"},
    {"vek check ARC", "what is wrong in each packet; exit 3 when anything is"},
    {"vek delete ARC SORTS 3", "repair: rebuild the packet without a damaged snippet that check reported"},
    {"vek retitle ARC SORTS 1 \\-\\-subject \"Bubble sort\"", "rewrite a header field in place"},
    {"vek cde ARC ALL.CDE SORTS STRINGS", "a code file of whole packets"},
};

}  // namespace

std::string ManualPage(CLI::App& app) {
  const CliOutline outline = Outline(app);
  std::string page = ".TH VEK 1 \"\" \"OldVek " OLDVEK_VERSION "\" \"User Commands\"\n.SH NAME\nvek \\- " +
                     Roff(app.get_description()) + "\n.SH SYNOPSIS\n.nf\n";
  for (const CommandOutline& command : outline.commands) page += Roff(command.usage) + "\n";
  page += "vek \\-\\-help | \\-\\-version\n.fi\n.SH DESCRIPTION\n" + std::string(kDescription);
  if (!outline.global_options.empty()) {
    page += ".PP\nOptions accepted before or after any command:\n";
    for (const OptionOutline& option : outline.global_options) {
      std::string names;
      for (const std::string& name : option.names) names += (names.empty() ? "" : ", ") + name;
      page += ".TP\n.B " + Roff(names) + "\n" + Roff(option.help);
      if (!option.environment.empty()) {
        page += " (default " + Roff(option.default_value) + "; also the environment variable " +
                Roff(option.environment) + ")";
      }
      page += "\n";
    }
  }
  page += ".SH COMMANDS\n";
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
    page += ".SS " + command->get_name() + "\n" + Roff(command->get_description()) + "\n.PP\n.nf\n" +
            Roff(CommandHelp(*command, app.get_footer())) + ".fi\n";
  }
  page += ".SH EXIT STATUS\n" + Roff(app.get_footer()) + "\n.SH ENVIRONMENT\n" + kEnvironment + ".SH FILES\n" +
          FilesSection() + ".SH EXAMPLES\n";
  for (const auto& [command, what] : kExamples) page += ".TP\n\\fB" + std::string(command) + "\\fR\n" + what + "\n";
  page += ".SH SEE ALSO\n.BR VekHelp (1),\n.BR oldvek (3)\n";
  return page;
}

}  // namespace vek
