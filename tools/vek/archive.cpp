#include "archive.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#ifdef _WIN32
#include <io.h>
#define access _access
#define W_OK 2
#else
#include <unistd.h>
#endif
#include <cerrno>


#include "base/text.h"
#include "failure.h"
#include "packets/formats.h"
#include "packets/packet_commit.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

class CaseBlindFileSystem final : public oldvek::FileSystem {
 public:
  oldvek::Result<std::unique_ptr<oldvek::File>> Open(const std::string& path, oldvek::OpenOptions options) override {
    return real_.Open(MatchCase(path), options);
  }
  bool Exists(const std::string& path) override { return real_.Exists(MatchCase(path)); }
  oldvek::Status Remove(const std::string& path) override { return real_.Remove(MatchCase(path)); }
  oldvek::Status Replace(const std::string& from, const std::string& to) override {
    return real_.Replace(MatchCase(from), MatchCase(to));
  }
  bool SameFile(const std::string& a, const std::string& b) override { return real_.SameFile(MatchCase(a), MatchCase(b)); }
  oldvek::Result<std::unique_ptr<oldvek::FileLock>> TryLock(const std::string& path, bool exclusive) override {
    return real_.TryLock(MatchCase(path), exclusive);
  }

 private:
  oldvek::FileSystem& real_ = oldvek::FileSystem::Default();
};

bool HasExtension(const fs::path& path, std::string_view extension) {
  return oldvek::EqualsIgnoringAsciiCase(path.extension().string(), extension);
}

}  // namespace

oldvek::FileSystem& Files() {
  static CaseBlindFileSystem files;
  return files;
}

std::string MatchCase(const std::string& path) {
  std::error_code error;
  if (fs::exists(path, error)) return path;
  const fs::path wanted(path);
  const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
  const std::string name = wanted.filename().string();
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string found = entry.path().filename().string();
    if (oldvek::EqualsIgnoringAsciiCase(found, name)) return path.substr(0, path.size() - name.size()) + found;
  }
  return path;
}

std::string ExistingFolder(const std::string& folder) {
  std::error_code error;
  if (!folder.empty() && fs::exists(folder, error) && !fs::is_directory(folder, error)) {
    Fail(folder + " is a file, not a folder");
  }
  if (folder.empty() || !fs::is_directory(folder, error)) Fail(folder + ": no such folder");
  const char last = folder.back();
  if (last == '/' || last == fs::path::preferred_separator) return folder;
  return folder + static_cast<char>(fs::path::preferred_separator);
}

oldvek::PacketName PacketArgument(const std::string& name) {
  fs::path path(name);
  if (HasExtension(path, ".VEK") || HasExtension(path, ".IDX")) path.replace_extension();
  oldvek::Result<oldvek::PacketName> base = oldvek::PacketName::Make(path.string());
  if (!base.ok()) UsageFail(base.status().message());
  return std::move(*base);
}

std::string MissingPacketFile(const std::string& folder, const oldvek::PacketName& base) {
  const oldvek::PacketFiles files(folder, base);
  std::error_code error;
  const bool index = fs::is_regular_file(MatchCase(files.index), error);
  const bool packet = fs::is_regular_file(MatchCase(files.packet), error);
  if (index && packet) return "";
  if (index) return files.packet + " is missing; its index " + MatchCase(files.index) + " is there";
  if (packet) return files.index + " is missing; its packet file " + MatchCase(files.packet) + " is there";
  return files.index + " is missing";
}

oldvek::PacketName ExistingPacket(const std::string& folder, const std::string& name) {
  oldvek::PacketName base = PacketArgument(name);
  const std::string missing = MissingPacketFile(folder, base);
  if (!missing.empty()) Fail("no packet " + base.text() + " in " + folder + " (" + missing + ")");
  return base;
}

std::vector<oldvek::PacketName> PacketsIn(const std::string& folder) {
  std::vector<oldvek::PacketName> bases;
  std::error_code error;
  // A listing that fails part way would pass for a folder with fewer packets.
  for (fs::directory_iterator file(folder, error); !error && file != fs::directory_iterator(); file.increment(error)) {
    if (!HasExtension(file->path(), ".IDX")) continue;
    oldvek::Result<oldvek::PacketName> base = oldvek::PacketName::Make(file->path().stem().string());
    if (base.ok()) bases.push_back(std::move(*base));
  }
  if (error) Fail(folder + ": cannot list the folder (" + error.message() + ")");
  std::sort(bases.begin(), bases.end());
  return bases;
}

std::vector<oldvek::PacketName> PacketsToReport(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<oldvek::PacketName> bases;
  if (!names.empty()) {
    for (const std::string& name : names) bases.push_back(PacketArgument(name));
    return bases;
  }
  std::error_code error;
  for (fs::directory_iterator file(folder, error); !error && file != fs::directory_iterator(); file.increment(error)) {
    if (!HasExtension(file->path(), ".IDX") && !HasExtension(file->path(), ".VEK")) continue;
    oldvek::Result<oldvek::PacketName> base = oldvek::PacketName::Make(file->path().stem().string());
    if (!base.ok()) continue;
    const auto same = [&](const oldvek::PacketName& known) { return oldvek::EqualsIgnoringAsciiCase(known, *base); };
    if (std::none_of(bases.begin(), bases.end(), same)) bases.push_back(std::move(*base));
  }
  if (error) Fail(folder + ": cannot list the folder (" + error.message() + ")");
  std::sort(bases.begin(), bases.end());
  return bases;
}

std::vector<oldvek::PacketName> ChosenPackets(const std::string& folder, const std::vector<std::string>& names) {
  if (names.empty()) return PacketsIn(folder);
  std::vector<oldvek::PacketName> packets;
  for (const std::string& name : names) packets.push_back(ExistingPacket(folder, name));
  return packets;
}

uint64_t SnippetCount(const std::string& folder, const oldvek::PacketName& base) {
  std::error_code error;
  const uint64_t size = fs::file_size(MatchCase(oldvek::PacketFiles(folder, base).index), error);
  if (error) Fail(oldvek::PacketFiles(folder, base).index + ": " + error.message());
  return oldvek::RecordCount(size);
}

uint64_t SnippetNumber(const std::string& text, const std::string& folder, const oldvek::PacketName& base) {
  const uint64_t count = SnippetCount(folder, base);
  if (count == 0) UsageFail(base.text() + " has no snippets");
  try {
    return StrictNumber(text, "RECORD", 1, count);
  } catch (const Failure& failure) {
    UsageFail(std::string(failure.what()) + " (" + base.text() + " has " + oldvek::DecimalText(count) + " snippet" +
              (count == 1 ? "" : "s") + ")");
  }
}

uint64_t StrictNumber(const std::string& text, const std::string& what, uint64_t low, uint64_t high) {
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    UsageFail(what + " \"" + text + "\" is not a whole number from " + oldvek::DecimalText(low) + " to " +
              oldvek::DecimalText(high));
  }
  return value;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  std::ostringstream whole;  // streamed in blocks, not character by character
  if (path == "-") {
    whole << std::cin.rdbuf();
  } else {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot read " + path);
    whole << in.rdbuf();
  }
  const std::string bytes = std::move(whole).str();
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < bytes.size()) {
    size_t end = bytes.find('\n', begin);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    begin = end + 1;
  }
  return lines;
}

void RegularInput(const std::string& path) {
  if (path == "-") return;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) Fail(path + ": no such file");
  if (fs::is_directory(status)) UsageFail(path + " is a folder, not a file");
  if (!fs::is_regular_file(status)) UsageFail(path + " is not a regular file (a device or a pipe); - reads standard input");
}

void WritableFolder(const std::string& folder) {
  if (access(folder.c_str(), W_OK) == 0 || errno != EROFS) return;
  Fail(folder + " is on a read-only medium: nothing there can be changed");
}

}  // namespace vek
