#include "extract/page_set.h"

#include <algorithm>
#include <charconv>

#include "base/crc32.h"
#include "base/text.h"
#include "platform/buffered_writer.h"

namespace oldvek {
namespace {

constexpr std::string_view kBeginPrefix = "'>>> Page ";

// Digits at the start of `text`, skipping leading blanks (BASIC's STR$ writes one).
std::optional<uint64_t> LeadingNumber(std::string_view& text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || value == 0) return std::nullopt;
  text.remove_prefix(static_cast<size_t>(end - text.data()));
  return value;
}

bool Consume(std::string_view& text, std::string_view word) {
  if (!text.starts_with(word)) return false;
  text.remove_prefix(word.size());
  return true;
}

std::string Describe(const PageText& page) {
  return "page " + DecimalText(page.mark.page) + " of " + page.mark.name + " (" + page.origin + ")";
}

// A File that keeps what is appended to it, so that the attachment scan can decode a page
// into memory.
class MemoryFile final : public File {
 public:
  explicit MemoryFile(std::string& bytes) : bytes_(bytes) {}
  Status ReadAt(uint64_t, std::span<char>) override { return Status::Error("memory page: not readable"); }
  Status WriteAt(uint64_t, std::span<const char>) override { return Status::Error("memory page: append only"); }
  Status Append(std::span<const char> data) override {
    bytes_.append(data.data(), data.size());
    return Status::Ok();
  }
  Result<uint64_t> Size() override { return static_cast<uint64_t>(bytes_.size()); }
  Status Truncate(uint64_t size) override {
    bytes_.resize(size);
    return Status::Ok();
  }
  Status Sync() override { return Status::Ok(); }
  Status Close() override { return Status::Ok(); }
  const std::string& path() const override { return path_; }

 private:
  std::string& bytes_;
  std::string path_ = "memory page";
};

}  // namespace

std::optional<PageMark> ParseBeginLine(std::string_view line) {
  if (!Consume(line, kBeginPrefix)) return std::nullopt;
  PageMark mark;
  const std::optional<uint64_t> page = LeadingNumber(line);
  if (!page || !Consume(line, " of ")) return std::nullopt;
  const std::optional<uint64_t> count = LeadingNumber(line);
  if (!count || !Consume(line, " of ")) return std::nullopt;
  const size_t end = line.find(" begins here");
  if (end == std::string_view::npos || end == 0) return std::nullopt;
  return PageMark{*page, *count, std::string(line.substr(0, end))};
}

void SplitPages(std::span<const std::string> lines, std::string_view origin, std::vector<PageText>& pages) {
  PageText* current = nullptr;
  for (const std::string& line : lines) {
    if (std::optional<PageMark> mark = ParseBeginLine(line)) {
      pages.push_back({std::move(*mark), std::string(origin), {}});
      current = &pages.back();
    }
    if (current != nullptr) current->lines.push_back(line);
  }
}

namespace {

Status MissingPage(uint64_t page, const PageMark& set) {
  return Status::Error("page " + DecimalText(page) + " of " + DecimalText(set.page_count) + " of " + set.name +
                       " is missing");
}

}  // namespace

Result<std::vector<const PageText*>> OrderPages(std::span<const PageText> pages) {
  if (pages.empty()) return Status::Error("no ZORVIT page found");
  const PageMark& first = pages.front().mark;
  for (const PageText& page : pages) {
    if (!EqualsIgnoringAsciiCase(page.mark.name, first.name) || page.mark.page_count != first.page_count) {
      return Status::Error(page.origin + " is page " + DecimalText(page.mark.page) + " of " +
                           DecimalText(page.mark.page_count) + " of " + page.mark.name + ", not of the " +
                           DecimalText(first.page_count) + " pages of " + first.name);
    }
    if (page.mark.page == 0 || page.mark.page > first.page_count) {
      return Status::Error(Describe(page) + ": past the last page");
    }
  }
  // More pages stated than given (a damaged count may state billions): the first missing one
  // is named without making room for them all.
  if (first.page_count > pages.size()) {
    std::vector<uint64_t> numbers;
    for (const PageText& page : pages) numbers.push_back(page.mark.page);
    std::sort(numbers.begin(), numbers.end());
    uint64_t missing = 1;
    for (const uint64_t number : numbers) missing += number == missing ? 1 : 0;
    return MissingPage(missing, first);
  }
  std::vector<const PageText*> ordered(first.page_count, nullptr);
  for (const PageText& page : pages) {
    const PageText*& slot = ordered[page.mark.page - 1];
    if (slot != nullptr) return Status::Error(Describe(page) + " repeats " + slot->origin);
    slot = &page;
  }
  for (size_t i = 0; i < ordered.size(); ++i) {
    if (ordered[i] == nullptr) return MissingPage(i + 1, first);
  }
  return ordered;
}

DecodedPage DecodePage(const PageText& page) {
  DecodedPage decoded;
  MemoryFile memory(decoded.bytes);
  BufferedWriter out(memory);
  AttachmentExtractor extractor(out);
  for (const std::string& line : page.lines) extractor.TakeLine(line);
  (void)out.Flush();  // appending to memory cannot fail
  decoded.check = extractor.check();
  return decoded;
}

PageSetDecoder::PageSetDecoder(File& out, std::function<void()> page_done)
    : out_(out), writer_(out), page_done_(std::move(page_done)) {}

Status PageSetDecoder::StartSource(std::string origin) {
  OLDVEK_RETURN_IF_ERROR(ClosePage());
  ++source_;
  origin_ = std::move(origin);
  return Status::Ok();
}

Status PageSetDecoder::TakeLine(std::string_view line, uint64_t at) {
  if (std::optional<PageMark> mark = ParseBeginLine(line)) {
    OLDVEK_RETURN_IF_ERROR(ClosePage());
    pages_.push_back({std::move(*mark), origin_, {}});
    spots_.push_back({source_ - 1, at});
    const PageMark& first = pages_.front().mark;
    const PageMark& met = pages_.back().mark;
    // In turn: the next page of the set that the first page met belongs to, while every page
    // before it passed. Any other is read again if its turn comes, or refused by CheckOrder.
    if (failure_.ok() && met.page == next_ && met.page_count == first.page_count &&
        EqualsIgnoringAsciiCase(met.name, first.name)) {
      current_.emplace(writer_);
    }
  }
  if (current_) current_->TakeLine(line);
  return writer_.status();
}

Status PageSetDecoder::ClosePage() {
  if (!current_) return Status::Ok();
  const AttachmentCheck check = current_->check();
  current_.reset();
  return EndPage(pages_.back(), check);
}

Status PageSetDecoder::EndPage(const PageText& page, const AttachmentCheck& check) {
  OLDVEK_RETURN_IF_ERROR(writer_.Flush());
  const std::string fault = check.Fault();
  if (!fault.empty()) {
    failure_ = Status::Error(Describe(page) + ": " + fault);
    return out_.Truncate(written_);
  }
  if (check.stated_crc) {
    stated_file_crc_ = check.stated_crc->file;
  } else {
    every_page_crc_ = false;
  }
  file_crc_ = Crc32Combine(file_crc_, check.crc, check.byte_count);
  written_ += check.byte_count;
  ++next_;
  if (page_done_) page_done_();
  return Status::Ok();
}

Status PageSetDecoder::CheckOrder() {
  OLDVEK_RETURN_IF_ERROR(ClosePage());
  OLDVEK_ASSIGN_OR_RETURN(ordered_, OrderPages(pages_));
  return Status::Ok();
}

Result<PageSetOutcome> PageSetDecoder::Finish(const Reread& reread) {
  for (; failure_.ok() && next_ <= ordered_.size();) {
    const PageText& page = *ordered_[next_ - 1];
    const Spot spot = spots_[static_cast<size_t>(&page - pages_.data())];
    AttachmentExtractor extractor(writer_);
    bool begun = false;
    bool same = false;
    OLDVEK_RETURN_IF_ERROR(reread(spot.source, spot.at, [&](std::string_view line) {
      std::optional<PageMark> mark = ParseBeginLine(line);
      if (begun && mark) return false;
      if (!begun) {
        begun = true;
        same = mark && mark->page == page.mark.page && mark->page_count == page.mark.page_count &&
               mark->name == page.mark.name;
        if (!same) return false;
      }
      extractor.TakeLine(line);
      return writer_.status().ok();
    }));
    OLDVEK_RETURN_IF_ERROR(writer_.status());
    if (!same) return Status::Error(page.origin + " changed while it was read", Status::Kind::kChanged);
    OLDVEK_RETURN_IF_ERROR(EndPage(page, extractor.check()));
  }
  if (!failure_.ok()) return failure_;
  if (stated_file_crc_ && *stated_file_crc_ != file_crc_) {
    return Status::Error(ordered_.front()->mark.name + ": CRC-32 of the whole file " + CrcText(*stated_file_crc_) +
                         " stated, " + CrcText(file_crc_) + " decoded");
  }
  return PageSetOutcome{written_, every_page_crc_};
}

}  // namespace oldvek
