#include "encoder/encoder_names.h"

#include "base/text.h"

namespace oldvek {
namespace {

constexpr std::string_view kSeparators = "\\/";

// The length of the path's folder part, with its separator; 0 when it has none.
size_t FolderLength(std::string_view path) {
  const size_t last = path.find_last_of(kSeparators);
  return last == std::string_view::npos ? 0 : last + 1;
}

std::string WithExtension(std::string_view name) {
  std::string named(name);
  if (named.find('.') == std::string::npos) named += ".BAS";
  return named;
}

}  // namespace

EncoderPaths DeriveEncoderPaths(std::string_view input_path, std::string_view suggested_path) {
  const size_t input_folder = FolderLength(input_path);
  const size_t suggested_folder = FolderLength(suggested_path);
  EncoderPaths paths;
  paths.input_name = input_path.substr(input_folder);
  paths.default_name = suggested_path.substr(suggested_folder);
  paths.output_folder =
      suggested_folder > 0 ? suggested_path.substr(0, suggested_folder) : input_path.substr(0, input_folder);
  return paths;
}

OutputName ChooseOutputName(std::string_view box_text, std::string_view default_name) {
  const std::string_view typed = TrimTrailingBlanks(box_text);
  if (typed.empty()) return {WithExtension(default_name), false};
  return {WithExtension(typed), true};
}

}  // namespace oldvek
