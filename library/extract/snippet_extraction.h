#ifndef OLDVEK_EXTRACT_SNIPPET_EXTRACTION_H_
#define OLDVEK_EXTRACT_SNIPPET_EXTRACTION_H_

// Writing one snippet of a packet out to a file of the caller's choosing: its ZORVIT
// attachment decoded (attachment mode), or its code lines as text under a comment block
// (text mode). The snippet is named by its snippet entry; extraction marks it as read, as a
// fetch does, once the output is in place: a failed extraction, or one that gives no file,
// leaves the mark as it was.
//
// Nothing is opened for writing before the entry has been checked: a packet name that would
// reach outside the folder, a missing index, or a position that is not the start of a whole
// record is refused with every file as it was. The output is written beside its name and put
// in place only when complete; an output that is the index or the packet is refused. A failed
// extraction, or an attachment-mode extraction of a snippet without ZORVIT text, leaves no
// output and any file under its name as it was.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/status.h"
#include "extract/attachment_extractor.h"
#include "packets/snippet_reader.h"
#include "platform/file.h"

namespace oldvek {

enum ExtractMode : int32_t {
  kAttachmentMode = 1,
  kTextMode = 2,
  // Any other value writes the comment block alone.
};

struct ExtractionOutcome {
  bool attachment = false;  // attachment mode; `check` says how it came out
  AttachmentCheck check;
  bool cut_short = false;  // the packet file ends before the snippet does (SnippetInfo::cut_short)
};

Result<ExtractionOutcome> ExtractSnippet(FileSystem& file_system, std::string_view entry, std::string_view folder,
                                         const std::string& out_path, int32_t mode, MarkRead mark = MarkRead::kYes);

// What the user is told:  OUT Zorvit extracted OK  /  Error Extracting OUT Zorvit  /
// OUT extracted  /  Nothing extracted to OUT: <why>.
std::string ExtractionMessage(const Result<ExtractionOutcome>& outcome, std::string_view out_path);

}  // namespace oldvek

#endif  // OLDVEK_EXTRACT_SNIPPET_EXTRACTION_H_
