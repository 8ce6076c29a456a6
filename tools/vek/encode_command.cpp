#include <cstdio>
#include <filesystem>

#include "command.h"
#include "encoder/zorvit_file_encoder.h"
#include "options.h"

namespace vek {
namespace {

std::optional<oldvek::TargetDialect> DialectNamed(const std::string& name) {
  if (name == "pb" || name == "1") return oldvek::TargetDialect::kPowerBasic;
  if (name == "vb" || name == "2") return oldvek::TargetDialect::kVisualBasic;
  if (name == "qb" || name == "3") return oldvek::TargetDialect::kQuickBasic;
  return std::nullopt;
}

}  // namespace

int RunEncode(const Arguments& arguments) {
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(arguments, {"dialect", "out", "dir"}, error);
  if (!parsed) return Fail("encode: " + error);
  if (parsed->positional.size() != 1) return Fail("encode: which file?");
  const std::optional<oldvek::TargetDialect> dialect = DialectNamed(parsed->Option("dialect").value_or("qb"));
  if (!dialect) return Fail("encode: the dialect is pb, vb or qb");

  const std::filesystem::path input(parsed->positional[0]);
  oldvek::EncodeRequest request;
  request.input_path = input.string();
  request.input_name = input.filename().string();
  request.output_folder = AsFolder(parsed->Option("dir").value_or(input.parent_path().string()));
  request.output_name = parsed->Option("out").value_or(input.stem().string() + ".BAS");
  request.dialect = *dialect;

  oldvek::Result<std::vector<std::string>> pages = oldvek::EncodeZorvitPages(oldvek::FileSystem::Default(), request);
  if (!pages.ok()) return Fail("encode: " + pages.status().message());
  for (const std::string& page : *pages) std::printf("%s\n", page.c_str());
  return 0;
}

}  // namespace vek
