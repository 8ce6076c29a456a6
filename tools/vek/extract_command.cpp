#include <cstdio>
#include <functional>
#include <optional>

#include "archive.h"
#include "base/text.h"
#include "command.h"
#include "extract/snippet_extraction.h"
#include "extraction.h"
#include "failure.h"
#include "output_file.h"
#include "packets/formats.h"
#include "packets/packet_lock.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_reader.h"
#include "zorvit_files.h"

namespace vek {
namespace {

struct ExtractOptions {
  std::string folder;
  std::string packet;
  std::string record;
  std::string mode = "attachment";
  bool page_only = false;
  bool keep_unread = false;
  DecodeSettings decode;
};

std::string SnippetName(const oldvek::PacketName& base, uint64_t number) {
  return base.text() + " snippet " + oldvek::DecimalText(number);
}

// The library's own extraction of one snippet: text mode, or the first page alone.
std::string ExtractOne(const ExtractRequest& request) {
  const DecodeSettings& decode = request.decode;
  // The library takes a snippet by its entry; only fields 5 and 6 locate it.
  const std::string entry = "~~~~" + oldvek::PacketFileName("", request.base, oldvek::PacketFileKind::kPacket) + "~" +
                            oldvek::DecimalText(oldvek::RecordPosition(request.number));
  OutputFile output(decode.out, decode.force, decode.inputs);
  const oldvek::ExtractionOutcome outcome =
      Must(oldvek::ExtractSnippet(Files(), entry, request.folder, output.scratch(),
                                  request.text ? oldvek::kTextMode : oldvek::kAttachmentMode, request.mark));
  if (outcome.attachment && !outcome.check.verified()) {
    if (decode.keep_bad) output.Commit();
    Fail(SnippetName(request.base, request.number) + ": " + outcome.check.Fault() +
         (decode.keep_bad ? "; kept " + decode.out + ": " + oldvek::DecimalText(outcome.check.byte_count) +
                                " bytes, any of them from byte 1 on may be wrong"
                          : "; nothing written to " + decode.out));
  }
  output.Commit();
  if (outcome.cut_short) {
    Fail(SnippetName(request.base, request.number) + ": " + kCutShort + "; " + decode.out +
         " holds what could be read");
  }
  return decode.out == "-" ? std::string() : oldvek::ExtractionMessage(outcome, decode.out);
}

// Hands the code lines of snippet `number` to `visit` with the position of each in the body,
// without marking it (it is marked once the file is in place), until `visit` returns false.
oldvek::IndexRecord ReadCodeLines(const ExtractRequest& request, uint64_t number,
                                  const std::function<bool(std::string_view line, uint64_t at)>& visit) {
  uint64_t at = 0;
  bool stopped = false;
  oldvek::Result<oldvek::SnippetInfo> info = oldvek::RetrieveSnippet(
      Files(), request.folder, request.base, oldvek::RecordPosition(number),
      [&](std::string_view line) {
        const uint64_t start = at;
        at += line.size() + 1;
        stopped = !visit(line, start);
        return stopped ? oldvek::Status::Error("stopped") : oldvek::Status::Ok();
      },
      oldvek::MarkRead::kNo);
  if (!info.ok() && !stopped) Fail(info.status().message());
  return info.ok() ? info->record : oldvek::IndexRecord();
}

// The mark of the snippet's first page, read up to its begin line.
std::optional<oldvek::PageMark> FirstPageMark(const ExtractRequest& request, uint64_t number) {
  std::optional<oldvek::PageMark> mark;
  ReadCodeLines(request, number, [&mark](std::string_view line, uint64_t) {
    mark = oldvek::ParseBeginLine(line);
    return !mark;
  });
  return mark;
}

int RunExtract(ExtractOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  oldvek::PacketName base = ExistingPacket(folder, options.packet);
  options.decode.inputs = oldvek::PacketFileNames(folder, base);
  // An output refused is refused before any snippet is read and marked.
  if (options.decode.out != "-") PrepareOutput(options.decode.out, options.decode.force, options.decode.inputs);
  const uint64_t number = SnippetNumber(options.record, folder, base);
  const std::string outcome =
      ExtractToFile({.folder = folder,
                     .base = std::move(base),
                     .number = number,
                     .text = options.mode == "text",
                     .page_only = options.page_only,
                     .mark = options.keep_unread ? oldvek::MarkRead::kNo : oldvek::MarkRead::kYes,
                     .decode = options.decode});
  if (!outcome.empty()) std::printf("%s\n", outcome.c_str());
  return kDone;
}

}  // namespace

std::string ExtractToFile(const ExtractRequest& request) {
  const std::string& folder = request.folder;
  const oldvek::PacketName& base = request.base;
  const uint64_t number = request.number;
  if (request.text) return ExtractOne(request);
  const std::optional<oldvek::PageMark> first = FirstPageMark(request, number);
  if (!first) Fail(SnippetName(base, number) + " holds no ZORVIT page; --mode text writes its code lines");
  if (request.page_only) return ExtractOne(request);
  if (first->page != 1) {
    Fail(SnippetName(base, number) + " starts with page " + oldvek::DecimalText(first->page) + " of " + first->name +
         "; extract its page 1, or --page-only");
  }
  // The pages that follow page 1 stand later in the same snippet or in the snippets after it,
  // each snippet from the first on being source `snippet - number` of the decoder.
  oldvek::UnmarkedRun read;
  PageSources sources;
  sources.read = [&](oldvek::PageSetDecoder& decoder) {
    const uint64_t count = SnippetCount(folder, base);
    for (uint64_t next = number; next == number || (decoder.pages().size() < first->page_count && next <= count);
         ++next) {
      Must(decoder.StartSource(SnippetName(base, next)));
      // A snippet whose first page is of another file ends the set, and none of its pages
      // count; lines before a snippet's first begin line belong to no page.
      bool paged = false;
      bool other = false;
      oldvek::Status taken;
      const oldvek::IndexRecord record = ReadCodeLines(request, next, [&](std::string_view line, uint64_t at) {
        if (!paged) {
          const std::optional<oldvek::PageMark> mark = oldvek::ParseBeginLine(line);
          if (!mark) return true;
          paged = true;
          other = !oldvek::EqualsIgnoringAsciiCase(mark->name, first->name);
          if (other) return false;
        }
        taken = decoder.TakeLine(line, at);
        return taken.ok();
      });
      Must(taken);
      if (!paged || other) break;
      read.Add(next, record);
    }
  };
  sources.reread = [&](size_t source, uint64_t at, const oldvek::PageLineVisitor& visit) {
    ReadCodeLines(request, number + source,
                  [&](std::string_view line, uint64_t start) { return start < at || visit(line); });
    return oldvek::Status::Ok();
  };
  const std::string written = DecodePagesToFile(sources, request.decode);
  // The file is in place and complete without the marks: one that cannot be set stays unset.
  if (request.mark == oldvek::MarkRead::kYes) (void)oldvek::MarkRunRead(Files(), folder, base, read);
  return written;
}

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
  command->add_flag("--keep-unread", options->keep_unread, "leave the read marks as they are");
  AddForce(*command, options->decode.force);
  AddQuiet(*command, options->decode.quiet);
  SetAction(*command, [options] { return RunExtract(*options); });
}

}  // namespace vek
