// vek new, add and attach: the commands that make packets and put snippets in them.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "archive.h"
#include "base/text.h"
#include "command.h"
#include "editing/snippet_append.h"
#include "failure.h"
#include "header_options.h"
#include "packets/packet_commit.h"
#include "progress.h"
#include "text_encoding.h"
#include "zorvit_files.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using oldvek::SnippetHeader;

struct PacketOptions {
  std::string folder;
  std::string packet;
  std::string file;
  HeaderOptions header;
  EncodeSettings encode;
  std::string dialect = "qb";
};

std::string Today() {
  const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()), static_cast<unsigned>(day.month()),
                static_cast<unsigned>(day.day()));
  return text;
}

// A header of blanks with today's date.
SnippetHeader NewHeader() {
  SnippetHeader header;
  header.SetField({0, oldvek::kHeaderSize}, "");
  header.SetField(SnippetHeader::kDate, Today());
  return header;
}

CLI::App* AddPacketCommand(CLI::App& app, const char* name, const char* description, PacketOptions& options) {
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option("FOLDER", options.folder, "the archive folder")->required();
  command->add_option("PACKET", options.packet, "the packet (any letter case)")->required();
  return command;
}

int RunNew(const PacketOptions& options) {
  const oldvek::PacketName base = PacketArgument(options.packet);
  std::error_code error;
  fs::create_directories(options.folder, error);
  const std::string folder = ExistingFolder(options.folder);
  WritableFolder(folder);
  const oldvek::PacketFiles files(folder, base);
  for (const std::string* file : {&files.index, &files.packet}) {
    if (fs::exists(MatchCase(*file), error))
      Fail(MatchCase(*file) + " exists: packet " + base.text() + " is there already");
  }
  for (const std::string* file : {&files.packet, &files.index}) {
    std::ofstream created(*file, std::ios::binary);
    if (!created) Fail("cannot create " + *file);
  }
  return kDone;
}

int RunAdd(const PacketOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  const oldvek::PacketName base = ExistingPacket(folder, options.packet);
  const oldvek::FieldChanges given = options.header.Changes();  // usage errors before anything is read
  RegularInput(options.file);
  WritableFolder(folder);
  const std::vector<std::string> lines = ReadTextLines(options.file);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find(oldvek::kLineEnd) != std::string::npos) {
      Fail(options.file + " line " + std::to_string(i + 1) + " holds the byte 0xE3, which ends lines in a packet");
    }
  }
  SnippetHeader header = NewHeader();
  const std::string name = options.file == "-" ? "" : fs::path(options.file).filename().string();
  const std::string subject = ArchiveEncoding().FromTyped(name, "FILE's name (give --subject)");
  if (!given.subject) {
    const oldvek::Status allowed = oldvek::CheckFieldText("the file name " + subject, subject);
    if (!allowed.ok()) UsageFail(allowed.message() + "; --subject gives another");
  }
  header.SetField(SnippetHeader::kSubject, subject);
  options.header.Apply(header);
  const uint64_t number = Must(oldvek::AppendNewSnippet(Files(), folder, base, header, lines));
  std::printf("record %llu of %s\n", static_cast<unsigned long long>(number), base.text().c_str());
  return kDone;
}

int RunAttach(PacketOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  const oldvek::PacketName base = ExistingPacket(folder, options.packet);
  RegularInput(options.file);
  WritableFolder(folder);
  options.encode.input = options.file;
  options.encode.dialect = *DialectNamed(options.dialect);
  const EncodedPages pages(options.encode, "");
  const size_t count = pages.paths().size();
  // Refused before the first page is added, if the archive's encoding cannot hold it.
  const std::string stored_name = ArchiveEncoding().FromTyped(pages.name(), "the file's name (give --name)");
  Progress progress("attaching", count, options.encode.quiet);
  for (size_t i = 0; i < count; ++i) {
    SnippetHeader header = NewHeader();
    options.header.Apply(header);
    const std::string of = " page " + std::to_string(i + 1) + " of " + std::to_string(count);
    const std::string subject = pages.name() + of;
    header.SetField(SnippetHeader::kSubject, stored_name + of);  // the page's name, whatever --subject says
    const uint64_t number =
        Must(oldvek::AppendNewSnippet(Files(), folder, base, header, ReadTextLines(pages.paths()[i])));
    progress.Clear();
    std::printf("record %llu of %s: %s\n", static_cast<unsigned long long>(number), base.text().c_str(),
                subject.c_str());
    std::fflush(stdout);
    progress.Step();
  }
  return kDone;
}

}  // namespace

void AddNewCommands(CLI::App& app) {
  auto made = std::make_shared<PacketOptions>();
  SetAction(
      *AddPacketCommand(app, "new", "create an empty packet (PACKET.VEK and PACKET.IDX; FOLDER if missing)", *made),
      [made] { return RunNew(*made); });

  auto added = std::make_shared<PacketOptions>();
  CLI::App* add = AddPacketCommand(
      app, "add", "append a snippet whose code lines are FILE's lines; subject FILE's name, date today", *added);
  add->add_option("FILE", added->file, "a text file (CR LF or LF line ends); - reads standard input")->required();
  added->header.AddTo(*add);
  SetAction(*add, [added] { return RunAdd(*added); });

  auto attached = std::make_shared<PacketOptions>();
  CLI::App* attach = AddPacketCommand(
      app, "attach", "encode FILE as ZORVIT pages and append each page as a snippet, \"NAME page i of n\"", *attached);
  attach->add_option("FILE", attached->file, "the file to attach; - reads standard input")->required();
  attach->add_option("--dialect", attached->dialect, "pb, vb or qb")
      ->check(CLI::IsMember({"pb", "vb", "qb"}))
      ->capture_default_str();
  attach->add_option("--name", attached->encode.name, "the file name the pages rebuild (FILE's own unless told)");
  attach->add_flag("--plain", attached->encode.plain, "no CRC-32 line on the pages");
  attached->header.AddTo(*attach);  // --subject is overridden by each page's own
  AddQuiet(*attach, attached->encode.quiet);
  SetAction(*attach, [attached] { return RunAttach(*attached); });
}

}  // namespace vek
