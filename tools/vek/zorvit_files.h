#ifndef OLDVEK_TOOLS_VEK_ZORVIT_FILES_H_
#define OLDVEK_TOOLS_VEK_ZORVIT_FILES_H_

// ZORVIT pages as vek writes and reads them: encoded into a scratch folder (each page given a
// CRC line unless plain), and decoded from gathered pages into an output file.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "encoder/target_dialect.h"
#include "extract/page_set.h"

namespace vek {

struct EncodeSettings {
  std::string input;       // a file, or "-" for standard input
  std::string name;        // the name the pages rebuild; the input's file name when empty
  std::string first_page;  // page 1's file name; NAME.BAS when empty
  oldvek::TargetDialect dialect = oldvek::TargetDialect::kQuickBasic;
  bool plain = false;  // pages byte for byte as the library writes them: no CRC line
  bool quiet = false;
};

// The pages of one file in a scratch folder, removed with it.
class EncodedPages {
 public:
  // The scratch folder is made in `scratch_parent` (the system's temporary folder when empty).
  EncodedPages(const EncodeSettings& settings, const std::string& scratch_parent);
  EncodedPages(const EncodedPages&) = delete;
  EncodedPages& operator=(const EncodedPages&) = delete;

  const std::vector<std::string>& paths() const { return paths_; }  // page 1 first
  const std::string& name() const { return name_; }

 private:
  // Removed with everything in it, also when the constructor fails.
  struct ScratchFolder {
    std::string path;
    ~ScratchFolder();
  };

  ScratchFolder folder_;
  std::string name_;
  std::vector<std::string> paths_;
};

std::optional<oldvek::TargetDialect> DialectNamed(const std::string& name);

struct DecodeSettings {
  std::string out;  // a file, or "-" for standard output
  bool force = false;
  bool keep_bad = false;  // a failed check still leaves the output
  bool quiet = false;
  std::vector<std::string> inputs;  // the files read or locked, which the output must not replace
};

// The sources that hold the pages of one file (page files, snippets), read as they stream.
struct PageSources {
  // Hands every source to the decoder in turn (StartSource, then its lines); a source that
  // cannot be read is a Failure.
  std::function<void(oldvek::PageSetDecoder&)> read;
  // Reads one source again from a line of it, for a page met before its turn.
  oldvek::PageSetDecoder::Reread reread;
};

// Decodes the pages, in the order of their numbers, into the output, checking every page;
// returns what came out, empty for standard output. Without settings.out the output is named
// by page 1. A failed check leaves no output unless keep_bad.
std::string DecodePagesToFile(const PageSources& sources, const DecodeSettings& settings);

// Hands the lines of a text file, from byte `at` on, to `visit` with the position where each
// starts, without its line end (LF or CR LF), until `visit` returns false.
void StreamTextLines(const std::string& path, uint64_t at,
                     const std::function<bool(std::string_view line, uint64_t at)>& visit);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_ZORVIT_FILES_H_
