#include <cstdio>

#include "command.h"
#include "extract/snippet_extraction.h"
#include "options.h"
#include "packets/formats.h"
#include "packets/index_builder.h"
#include "packets/snippet_entry.h"
#include "base/text.h"

namespace vek {

// vek extract FOLDER PACKET RECORD OUT [--text]: the attachment decoded, or the code as text.
int RunExtract(const Arguments& arguments) {
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(arguments, {"mode"}, error);
  if (!parsed) return Fail("extract: " + error);
  if (parsed->positional.size() != 4) return Fail("extract: expected FOLDER PACKET RECORD OUT");
  const std::string mode = parsed->Option("mode").value_or("attachment");
  if (mode != "attachment" && mode != "text") return Fail("extract: --mode is attachment or text");
  const std::string folder = AsFolder(parsed->positional[0]);
  const std::string base(oldvek::PacketBaseName(parsed->positional[1]));
  const uint64_t record = oldvek::ReadDecimal(parsed->positional[2]);
  if (record == 0) return Fail("extract: the record number counts from 1");
  // The library takes a snippet by its entry; only fields 5 and 6 locate it.
  const std::string entry = "~~~~" + base + std::string(oldvek::kPacketExtension) + "~" +
                            oldvek::DecimalText(oldvek::RecordPosition(record));
  const std::string& out = parsed->positional[3];
  const oldvek::Result<oldvek::ExtractionOutcome> outcome =
      oldvek::ExtractSnippet(oldvek::FileSystem::Default(), entry, folder, out,
                             mode == "text" ? oldvek::kTextMode : oldvek::kAttachmentMode);
  const std::string message = oldvek::ExtractionMessage(outcome, out);
  const bool good = outcome.ok() && (!outcome->attachment || outcome->check.verified());
  std::fprintf(good ? stdout : stderr, "%s\n", message.c_str());
  return good ? 0 : 1;
}

}  // namespace vek
