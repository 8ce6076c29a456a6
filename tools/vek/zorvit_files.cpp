#include "zorvit_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <span>

#include "archive.h"
#include "base/crc32.h"
#include "base/text.h"
#include "encoder/page_names.h"
#include "encoder/zorvit_file_encoder.h"
#include "failure.h"
#include "output_file.h"
#include "progress.h"
#include "scratch_file_system.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace vek {
namespace {

namespace fs = std::filesystem;

// Appends to every page the CRC-32 of the input bytes it carries and of the whole input,
// read from the input itself: a page whose decoding differs from its source fails its check.
void AddCrcLines(const std::string& input, oldvek::TargetDialect dialect, const std::vector<std::string>& paths) {
  std::ifstream source(input, std::ios::binary);
  std::error_code error;
  const uint64_t length = fs::file_size(input, error);
  if (error || !source) Fail("cannot read " + input);
  std::vector<uint32_t> page_crcs;
  oldvek::Crc32 file_crc;
  std::string piece(1 << 20, '\0');
  for (uint64_t page = 1; page <= paths.size(); ++page) {
    oldvek::Crc32 page_crc;
    for (uint64_t left = oldvek::PageByteCount(dialect, length, page); left > 0;) {
      const size_t size = static_cast<size_t>(std::min<uint64_t>(left, piece.size()));
      if (!source.read(piece.data(), static_cast<std::streamsize>(size))) Fail("cannot read " + input);
      page_crc.Add(std::string_view(piece).substr(0, size));
      file_crc.Add(std::string_view(piece).substr(0, size));
      left -= size;
    }
    page_crcs.push_back(page_crc.value());
  }
  for (size_t i = 0; i < paths.size(); ++i) {
    std::ofstream page(paths[i], std::ios::binary | std::ios::app);
    page << oldvek::CrcLine({page_crcs[i], file_crc.value()}) << "\r\n";
    if (!page.flush()) Fail("cannot write " + paths[i]);
  }
}

}  // namespace

std::optional<oldvek::TargetDialect> DialectNamed(const std::string& name) {
  if (name == "pb") return oldvek::TargetDialect::kPowerBasic;
  if (name == "vb") return oldvek::TargetDialect::kVisualBasic;
  if (name == "qb") return oldvek::TargetDialect::kQuickBasic;
  return std::nullopt;
}

EncodedPages::EncodedPages(const EncodeSettings& settings, const std::string& scratch_parent) {
  const fs::path parent = scratch_parent.empty() ? fs::temp_directory_path() : fs::path(scratch_parent);
  folder_.path = (parent / (".vek-encode-" + std::to_string(getpid()))).string();
  std::error_code error;
  fs::create_directories(folder_.path, error);
  if (error) Fail("cannot create " + folder_.path + ": " + error.message());
  std::string input = settings.input;
  if (input == "-") {
    input = (fs::path(folder_.path) / "stdin.data").string();
    std::ofstream copy(input, std::ios::binary);
    copy << std::cin.rdbuf();
    if (!copy.flush()) Fail("cannot copy standard input to " + input);
  }
  name_ = settings.name.empty() ? (settings.input == "-" ? "STDIN.BIN" : fs::path(input).filename().string())
                                : settings.name;
  oldvek::EncodeRequest request;
  request.input_path = input;
  request.input_name = name_;
  request.output_folder = (fs::path(folder_.path) / "").string();
  request.output_name = settings.first_page.empty() ? fs::path(name_).stem().string() + ".BAS" : settings.first_page;
  request.dialect = settings.dialect;
  Progress progress("encoding", fs::file_size(input, error) / 156000 + 1, settings.quiet);
  const auto step = [&](uint64_t, const std::string&) { progress.Step(); };
  paths_ = Must(oldvek::EncodeZorvitPages(ScratchFiles(), request, step));
  if (!settings.plain) AddCrcLines(input, settings.dialect, paths_);
}

EncodedPages::ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

std::string DecodePagesToFile(const PageSources& sources, const DecodeSettings& settings) {
  OutputFile output(settings.out, settings.force, settings.inputs);
  std::string out = settings.out;
  oldvek::Result<oldvek::PageSetOutcome> outcome = oldvek::Status::Error("");
  uint64_t pages_done = 0;
  uint64_t page_count = 0;
  uint64_t bytes_out = 0;
  {
    std::unique_ptr<oldvek::File> file = Must(oldvek::FileSystem::Default().Open(
        output.scratch(),
        {oldvek::Access::kReadWrite, oldvek::Share::kExclusive, oldvek::Disposition::kCreateOrTruncate}));
    std::optional<Progress> progress;
    oldvek::PageSetDecoder decoder(*file, [&] {
      if (!progress) progress.emplace("decoding", decoder.pages().front().mark.page_count, settings.quiet);
      progress->Step();
    });
    sources.read(decoder);
    Must(decoder.CheckOrder());
    const std::span<const oldvek::PageText> pages = decoder.pages();
    page_count = pages.front().mark.page_count;
    if (out.empty()) {
      out = std::find_if(pages.begin(), pages.end(), [](const auto& page) { return page.mark.page == 1; })->mark.name;
      if (out.find_first_of("/\\:") != std::string::npos || out == "." || out == "..") {
        Fail("the pages name their file \"" + out + "\", which is not a plain file name; -o names the output");
      }
      output.Name(out, settings.force, settings.inputs);
    }
    outcome = decoder.Finish(sources.reread);
    pages_done = decoder.pages_written();
    bytes_out = Must(file->Size());
    Must(file->Close());
  }
  if (!outcome.ok()) {
    if (!settings.keep_bad) Fail(outcome.status().message() + "; nothing written");
    output.Commit();
    // A page that fails its check is not written: what came out before it is sound.
    Fail(outcome.status().message() + "; kept " + out + ": " + oldvek::DecimalText(bytes_out) + " bytes, " +
         (pages_done < page_count
              ? "sound up to there; from byte " + oldvek::DecimalText(bytes_out + 1) + " on the file is missing"
              : "any of them from byte 1 on may be wrong"));
  }
  output.Commit();
  // Without a CRC line two swapped characters pass the length and the 8-bit sum unseen.
  if (!outcome->crc_checked) {
    std::fprintf(stderr, "vek: %s: a page without a CRC-32 line was checked by its length and 8-bit sum only\n",
                 out.c_str());
  }
  if (out == "-") return {};
  return out + ": " + oldvek::DecimalText(outcome->byte_count) + " bytes from " + oldvek::DecimalText(page_count) +
         (page_count == 1 ? " page" : " pages") + ", length and checksum" +
         (outcome->crc_checked ? " and CRC-32" : "") + " checked";
}

void StreamTextLines(const std::string& path, uint64_t at,
                     const std::function<bool(std::string_view line, uint64_t at)>& visit) {
  std::ifstream in(path, std::ios::binary);
  if (!in || !in.seekg(static_cast<std::streamoff>(at))) Fail("cannot read " + path);
  std::string piece(1 << 20, '\0');
  std::string carry;  // a line that runs on into the next piece
  const auto hand = [&](std::string_view line) {
    const uint64_t start = at;
    at += line.size() + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    return visit(line, start);
  };
  while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
    std::string_view rest(piece.data(), static_cast<size_t>(in.gcount()));
    for (size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1)) {
      bool more = true;
      if (carry.empty()) {
        more = hand(rest.substr(0, end));
      } else {
        carry.append(rest.substr(0, end));
        more = hand(carry);
        carry.clear();
      }
      if (!more) return;
    }
    carry.append(rest);
  }
  if (in.bad()) Fail("cannot read " + path);
  if (!carry.empty()) (void)hand(carry);
}

}  // namespace vek
