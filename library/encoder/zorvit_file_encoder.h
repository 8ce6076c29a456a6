#ifndef OLDVEK_ENCODER_ZORVIT_FILE_ENCODER_H_
#define OLDVEK_ENCODER_ZORVIT_FILE_ENCODER_H_

// Encodes a file into the source pages of one BASIC dialect. The input is streamed in blocks of
// 156000 bytes through one block buffer and one data line; output is written through a buffer.
// Every page name is computed before anything is written, and a set in which two pages would
// share a file is refused. A failure names the file and the reason; a page that could not be
// written completely is removed, and no list of pages comes back.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/status.h"
#include "encoder/target_dialect.h"
#include "platform/file.h"

namespace oldvek {

struct EncodeRequest {
  std::string input_path;     // the file to encode
  std::string input_name;     // the name the pages give it, and the file they rebuild
  std::string output_folder;  // prefixed to every page's name: empty, or with its separator
  std::string output_name;    // the first page's file name, with its extension
  TargetDialect dialect = TargetDialect::kQuickBasic;
};

// Told as each page file is opened, before anything is written into it (the driver shows
// which file it is writing).
using PageStartedHook = std::function<void(uint64_t page, const std::string& page_path)>;

// Writes all pages; returns their full paths, page 1 first.
Result<std::vector<std::string>> EncodeZorvitPages(FileSystem& file_system, const EncodeRequest& request,
                                                   const PageStartedHook& page_started = {});

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_ZORVIT_FILE_ENCODER_H_
