#include <cstdio>

#include "archive.h"
#include "base/text.h"
#include "command.h"
#include "extract/snippet_extraction.h"
#include "failure.h"
#include "output_file.h"
#include "packets/formats.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_reader.h"
#include "progress.h"
#include "zorvit_files.h"

namespace vek {
namespace {

struct ExtractOptions {
  std::string folder;
  std::string packet;
  std::string record;
  std::string mode = "attachment";
  bool page_only = false;
  DecodeSettings decode;
};

std::string SnippetName(const std::string& base, uint64_t number) {
  return base + " snippet " + oldvek::DecimalText(number);
}

// The library's own extraction of one snippet: text mode, or the first page alone.
int ExtractOne(const ExtractOptions& options, const std::string& folder, const std::string& base, uint64_t number) {
  // The library takes a snippet by its entry; only fields 5 and 6 locate it.
  const std::string entry = "~~~~" + base + std::string(oldvek::kPacketExtension) + "~" +
                            oldvek::DecimalText(oldvek::RecordPosition(number));
  OutputFile output(options.decode.out, options.decode.force);
  const oldvek::ExtractionOutcome outcome =
      Must(oldvek::ExtractSnippet(Files(), entry, folder, output.scratch(),
                                  options.mode == "text" ? oldvek::kTextMode : oldvek::kAttachmentMode));
  if (outcome.attachment && !outcome.check.verified()) {
    if (options.decode.keep_bad) output.Commit();
    Fail(SnippetName(base, number) + ": " + outcome.check.Fault() +
         (options.decode.keep_bad ? "; kept " : "; nothing written to ") + options.decode.out);
  }
  output.Commit();
  if (options.decode.out != "-") std::printf("%s\n", oldvek::ExtractionMessage(outcome, options.decode.out).c_str());
  return kDone;
}

// The snippet's code lines, read without marking it: it is marked once the file is in place.
std::vector<std::string> CodeLines(const std::string& folder, const std::string& base, uint64_t number,
                                   oldvek::IndexRecord& record) {
  std::vector<std::string> lines;
  record = Must(oldvek::RetrieveSnippet(
                    Files(), folder, base, oldvek::RecordPosition(number),
                    [&lines](std::string_view line) {
                      lines.emplace_back(line);
                      return oldvek::Status::Ok();
                    },
                    oldvek::MarkRead::kNo))
               .record;
  return lines;
}

int RunExtract(const ExtractOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  const std::string base = ExistingPacket(folder, options.packet);
  const uint64_t number = SnippetNumber(options.record, folder, base);
  if (options.mode == "text") return ExtractOne(options, folder, base, number);

  std::vector<oldvek::PageText> pages;
  oldvek::IndexRecord record;
  oldvek::SplitPages(CodeLines(folder, base, number, record), SnippetName(base, number), pages);
  if (pages.empty()) Fail(SnippetName(base, number) + " holds no ZORVIT page; --mode text writes its code lines");
  const oldvek::PageMark first = pages.front().mark;
  if (options.page_only) return ExtractOne(options, folder, base, number);
  if (first.page != 1) {
    Fail(SnippetName(base, number) + " starts with page " + oldvek::DecimalText(first.page) + " of " + first.name +
         "; extract its page 1, or --page-only");
  }
  // The pages that follow page 1 stand later in the same snippet or in the snippets after it.
  oldvek::UnmarkedRun read;
  read.Add(number, record);
  const uint64_t count = SnippetCount(folder, base);
  Progress progress("gathering", first.page_count, options.decode.quiet);
  for (uint64_t next = number + 1; pages.size() < first.page_count && next <= count; ++next) {
    const size_t before = pages.size();
    oldvek::SplitPages(CodeLines(folder, base, next, record), SnippetName(base, next), pages);
    if (pages.size() == before || !oldvek::EqualsIgnoringAsciiCase(pages[before].mark.name, first.name)) {
      pages.resize(before);
      break;
    }
    read.Add(next, record);
    progress.Step(pages.size() - before);
  }
  DecodePagesToFile(pages, options.decode);
  // The file is in place and complete without the marks: one that cannot be set stays unset.
  (void)oldvek::MarkRunRead(Files(), folder, base, read);
  return kDone;
}

}  // namespace

void AddExtractCommand(CLI::App& app) {
  auto options = std::make_shared<ExtractOptions>();
  CLI::App* command = app.add_subcommand(
      "extract",
      "decode a snippet's ZORVIT attachment into OUT (all pages of a set, from the snippets that follow), or write "
      "its code as text");
  command->add_option("FOLDER", options->folder, "the archive folder")->required();
  command->add_option("PACKET", options->packet, "the packet (any letter case)")->required();
  command->add_option("RECORD", options->record, "the snippet's number in the packet, from 1")->required();
  command->add_option("OUT", options->decode.out, "the output file; - writes standard output")->required();
  command->add_option("--mode", options->mode, "attachment or text (the code lines as the bytes stored, not converted)")
      ->check(CLI::IsMember({"attachment", "text"}))
      ->capture_default_str();
  command->add_flag("--page-only", options->page_only, "the snippet's first page alone, as the library extracts it");
  command->add_flag("--keep-bad", options->decode.keep_bad, "keep the output when a check fails");
  AddForce(*command, options->decode.force);
  AddQuiet(*command, options->decode.quiet);
  SetAction(*command, [options] { return RunExtract(*options); });
}

}  // namespace vek
