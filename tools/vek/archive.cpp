#include "archive.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <unordered_map>
#include <unordered_set>
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
#include "packets/snippet_entry.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

std::string Upper(std::string name) {
  for (char& c : name) c = oldvek::AsciiUpper(c);
  return name;
}

// Names are matched in any letter case against one listing of each folder, taken the first
// time a name there is not found as written and kept for the rest of the command: listing a
// folder of thousands of packets for every file of every packet would cost the square of
// their number. A file made later by another program in another letter case than asked is
// not seen; vek asks for a packet's files by the letter case of its index file, as found.
class CaseBlindFileSystem final : public oldvek::FileSystem {
 public:
  oldvek::Result<std::unique_ptr<oldvek::File>> Open(const std::string& path, oldvek::OpenOptions options) override {
    // An existing file is opened as written first: one system call instead of a lookup and an open.
    if (kCaseBlindSystem || options.disposition != oldvek::Disposition::kOpenExisting) {
      return real_->Open(Match(path), options);
    }
    oldvek::Result<std::unique_ptr<oldvek::File>> file = real_->Open(path, options);
    if (file.ok() || real_->Exists(path)) return file;
    const std::string matched = MatchListed(path);
    return matched == path ? std::move(file) : real_->Open(matched, options);
  }
  bool Exists(const std::string& path) override {
    if (kCaseBlindSystem) return real_->Exists(Match(path));
    if (real_->Exists(path)) return true;
    const std::string matched = MatchListed(path);
    return matched != path && real_->Exists(matched);
  }
  oldvek::Status Remove(const std::string& path) override { return real_->Remove(Match(path)); }
  oldvek::Status Replace(const std::string& from, const std::string& to) override {
    return real_->Replace(Match(from), Match(to));
  }
  bool SameFile(const std::string& a, const std::string& b) override { return real_->SameFile(Match(a), Match(b)); }
  oldvek::Result<std::unique_ptr<oldvek::FileLock>> TryLock(const std::string& path, bool exclusive) override {
    return real_->TryLock(Match(path), exclusive);
  }
  oldvek::Result<std::vector<std::string>> List(const std::string& folder) override {
    OLDVEK_ASSIGN_OR_RETURN(const Listing* listing, Listed(folder));
    return listing->names;
  }

  // Known only for a folder listed already: no listing is taken to answer.
  bool ListedWithout(const std::string& path) override {
    const size_t cut = NameStart(path);
    const auto listing = listings_.find(path.substr(0, cut));
    return listing != listings_.end() && !listing->second.by_upper_case.contains(Upper(path.substr(cut)));
  }

  std::string Match(const std::string& path) {
    // Where names are case-blind already, every spelling exists: the listing gives the file's own.
    if (!kCaseBlindSystem && real_->Exists(path)) return path;
    return MatchListed(path);
  }

  // The name the folder's listing holds for `path` in any letter case, or `path` itself.
  std::string MatchListed(const std::string& path) {
    const size_t cut = NameStart(path);
    oldvek::Result<const Listing*> listing = Listed(path.substr(0, cut));
    if (!listing.ok()) return path;
    const auto found = (*listing)->by_upper_case.find(Upper(path.substr(cut)));
    return found == (*listing)->by_upper_case.end() ? path : path.substr(0, cut) + found->second;
  }

  void Use(oldvek::FileSystem& real) {
    real_ = &real;
    listings_.clear();
  }

 private:
#ifdef _WIN32
  static constexpr const char* kSeparators = "/\\:";
  static constexpr bool kCaseBlindSystem = true;
#else
  static constexpr const char* kSeparators = "/";
  static constexpr bool kCaseBlindSystem = false;
#endif

  static size_t NameStart(const std::string& path) { return path.find_last_of(kSeparators) + 1; }  // 0: a bare name

  struct Listing {
    std::vector<std::string> names;
    std::unordered_map<std::string, std::string> by_upper_case;  // the first name of each
  };

  oldvek::Result<const Listing*> Listed(const std::string& folder) {
    const auto [listing, fresh] = listings_.try_emplace(folder);
    if (fresh) {
      oldvek::Result<std::vector<std::string>> names = real_->List(folder.empty() ? "." : folder);
      if (!names.ok()) {
        listings_.erase(listing);
        return names.status();
      }
      for (const std::string& name : *names) listing->second.by_upper_case.try_emplace(Upper(name), name);
      listing->second.names = std::move(*names);
    }
    return &listing->second;
  }

  oldvek::FileSystem* real_ = &oldvek::FileSystem::Default();
  std::map<std::string, Listing> listings_;  // by folder, separator included
};

CaseBlindFileSystem& CaseBlindFiles() {
  static CaseBlindFileSystem files;
  return files;
}

bool HasExtension(const fs::path& path, std::string_view extension) {
  return oldvek::EqualsIgnoringAsciiCase(path.extension().string(), extension);
}

}  // namespace

oldvek::FileSystem& Files() { return CaseBlindFiles(); }

void UseFileSystem(oldvek::FileSystem& real) { CaseBlindFiles().Use(real); }

std::string MatchCase(const std::string& path) { return CaseBlindFiles().Match(path); }

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

namespace {

// Whether `path` names a regular file in any letter case: a name found as written costs one look.
bool RegularFile(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::exists(status)) return fs::is_regular_file(status);
  const std::string matched = CaseBlindFiles().MatchListed(path);
  return matched != path && fs::is_regular_file(matched, error);
}

}  // namespace

std::string MissingPacketFile(const std::string& folder, const oldvek::PacketName& base) {
  const oldvek::PacketFiles files(folder, base);
  const bool index = RegularFile(files.index);
  const bool packet = RegularFile(files.packet);
  if (index && packet) return "";
  if (index) return files.packet + " is missing; its index " + MatchCase(files.index) + " is there";
  if (packet) return files.index + " is missing; its packet file " + MatchCase(files.packet) + " is there";
  return files.index + " is missing";
}

namespace {

// The packet as its index file names it, in that file's letter case, so that every later file
// name and lock of the command is the same however the name was typed; as typed when it has none.
oldvek::PacketName AsFound(const std::string& folder, oldvek::PacketName typed) {
  const std::string index = MatchCase(oldvek::PacketFiles(folder, typed).index);
  oldvek::Result<oldvek::PacketName> found = oldvek::PacketName::Make(
      index.substr(folder.size(), index.size() - folder.size() - oldvek::kIndexExtension.size()));
  return found.ok() ? std::move(*found) : typed;
}

}  // namespace

oldvek::PacketName ExistingPacket(const std::string& folder, const std::string& name) {
  const oldvek::PacketName typed = PacketArgument(name);
  const std::string missing = MissingPacketFile(folder, typed);
  if (!missing.empty()) Fail("no packet " + typed.text() + " in " + folder + " (" + missing + ")");
  return AsFound(folder, typed);
}

std::vector<oldvek::PacketName> PacketsIn(const std::string& folder) {
  std::vector<oldvek::PacketName> bases;
  for (const std::string& name : Must(Files().List(folder))) {
    if (!HasExtension(name, oldvek::kIndexExtension)) continue;
    oldvek::Result<oldvek::PacketName> base = oldvek::PacketName::Make(fs::path(name).stem().string());
    if (base.ok()) bases.push_back(std::move(*base));
  }
  std::sort(bases.begin(), bases.end());
  return bases;
}

std::vector<oldvek::PacketName> PacketsToReport(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<oldvek::PacketName> bases;
  if (!names.empty()) {
    for (const std::string& name : names) bases.push_back(AsFound(folder, PacketArgument(name)));
    return bases;
  }
  std::unordered_set<std::string> seen;  // in upper case: SORTS.IDX and sorts.vek are one packet
  for (const std::string& name : Must(Files().List(folder))) {
    if (!HasExtension(name, oldvek::kIndexExtension) && !HasExtension(name, oldvek::kPacketExtension)) continue;
    oldvek::Result<oldvek::PacketName> base = oldvek::PacketName::Make(fs::path(name).stem().string());
    if (base.ok() && seen.insert(Upper(base->text())).second) bases.push_back(std::move(*base));
  }
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
  if (!fs::is_regular_file(status))
    UsageFail(path + " is not a regular file (a device or a pipe); - reads standard input");
}

void WritableFolder(const std::string& folder) {
  if (access(folder.c_str(), W_OK) == 0 || errno != EROFS) return;
  Fail(folder + " is on a read-only medium: nothing there can be changed");
}

}  // namespace vek
