#include "output_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "archive.h"
#include "failure.h"
#include "platform/output_file.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace vek {

namespace fs = std::filesystem;

void PrepareOutput(const std::string& path, bool force, std::span<const std::string> inputs) {
  const oldvek::Status input = oldvek::CheckNotAnInput(Files(), path, inputs);
  if (!input.ok()) UsageFail(input.message() + "; --force does not change that");
  std::error_code error;
  if (!force && fs::exists(path, error)) UsageFail(path + " exists; --force replaces it");
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty()) {
    fs::create_directories(folder, error);
    if (error) Fail("cannot create the folder " + folder.string() + ": " + error.message());
  }
}

OutputFile::OutputFile(std::string path, bool force, std::span<const std::string> inputs) : path_(std::move(path)) {
  const std::string tag = ".vek-" + std::to_string(getpid()) + ".partial";
  if (path_ == "-") {
    scratch_ = (fs::temp_directory_path() / ("stdout" + tag)).string();
    return;
  }
  if (path_.empty()) {
    scratch_ = ".unnamed" + tag;
    return;
  }
  PrepareOutput(path_, force, inputs);
  const fs::path target(path_);
  scratch_ = (target.parent_path() / ("." + target.filename().string() + tag)).string();
}

void OutputFile::Name(std::string path, bool force, std::span<const std::string> inputs) {
  PrepareOutput(path, force, inputs);
  path_ = std::move(path);
}

OutputFile::~OutputFile() {
  if (committed_) return;
  std::error_code ignored;
  fs::remove(scratch_, ignored);
}

void OutputFile::Commit() {
  std::error_code error;
  if (path_ == "-") {
    {
      std::ifstream in(scratch_, std::ios::binary);
      std::cout << in.rdbuf();
      std::cout.flush();
    }
    fs::remove(scratch_, error);
    committed_ = true;
    return;
  }
  fs::rename(scratch_, path_, error);
  if (error) Fail("cannot put " + path_ + " in place: " + error.message());
  committed_ = true;
}

}  // namespace vek
