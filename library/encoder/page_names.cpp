#include "encoder/page_names.h"

#include <algorithm>
#include <unordered_map>

#include "base/text.h"

namespace oldvek {

uint64_t PageCount(TargetDialect dialect, uint64_t input_length) {
  if (dialect != TargetDialect::kQuickBasic || input_length == 0) return 1;
  return (input_length + kPageBytes - 1) / kPageBytes;
}

uint64_t PageByteCount(TargetDialect dialect, uint64_t input_length, uint64_t page) {
  if (dialect != TargetDialect::kQuickBasic) return input_length;
  const uint64_t before = (page - 1) * kPageBytes;
  return std::min(kPageBytes, input_length - std::min(before, input_length));
}

std::string NextPageName(std::string_view output_name, uint64_t page) {
  const size_t dot = output_name.find('.');
  // A name without "." has no extension to carry over.
  const std::string_view extension = dot == std::string_view::npos ? std::string_view() : output_name.substr(dot);
  std::string_view stem = output_name.substr(0, std::min(dot, output_name.size()));
  stem = stem.substr(0, std::min<size_t>(stem.size(), 8));
  const std::string suffix = HexText(page + 15);
  // Not just enough to fit: the stem gives up as many characters as the suffix has.
  if (stem.size() + suffix.size() > 8) stem.remove_suffix(std::min(stem.size(), suffix.size()));
  std::string name(stem);
  name += suffix;
  name.append(extension);
  return name;
}

Result<std::vector<std::string>> PageFileNames(std::string_view output_name, uint64_t page_count) {
  std::vector<std::string> names;
  names.reserve(page_count);
  std::unordered_map<std::string, uint64_t> pages_by_name;
  for (uint64_t page = 1; page <= page_count; ++page) {
    names.push_back(page == 1 ? std::string(output_name) : NextPageName(output_name, page - 1));
    std::string key = names.back();
    std::transform(key.begin(), key.end(), key.begin(), AsciiUpper);
    const auto [earlier, added] = pages_by_name.emplace(std::move(key), page);
    if (!added) {
      return Status::Error("page " + DecimalText(page) + " of " + std::string(output_name) + " would be named " +
                           names.back() + ", the same file as page " + DecimalText(earlier->second));
    }
  }
  return names;
}

}  // namespace oldvek
