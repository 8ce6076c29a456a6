#include "zorvit_pages.h"

#include <gtest/gtest.h>

#include "encoder/zorvit_file_encoder.h"
#include "temp_folder.h"
#include "text_lines.h"

namespace oldvek::testing {

std::vector<PageLines> EncodePages(std::string_view bytes, const std::string& input_name,
                                   const std::string& first_page_name, PageDialect dialect) {
  TempFolder folder;
  WriteFileBytes(folder.File(input_name), bytes);
  const EncodeRequest request{folder.File(input_name), input_name, folder.path(), first_page_name,
                              static_cast<TargetDialect>(dialect)};
  Result<std::vector<std::string>> paths = EncodeZorvitPages(FileSystem::Default(), request);
  std::vector<PageLines> pages;
  if (!paths.ok()) {
    ADD_FAILURE() << "encoding " << input_name << ": " << paths.status().message();
    return pages;
  }
  for (const std::string& path : *paths) pages.push_back(SplitCrLfLines(ReadFileBytes(path)));
  return pages;
}

}  // namespace oldvek::testing
