#include "extract/attachment_extractor.h"

#include <optional>

#include "base/text.h"
#include "extract/page_set.h"

namespace oldvek {
namespace {

// A page's begin line states its length after "TLEN:" and its end line its checksum after
// "TCHK:"; a page may also state them in BASIC statements written without blanks.
constexpr std::string_view kLengthMarker = "TLEN:";
constexpr std::string_view kOldLengthMarker = "Z&=";
constexpr std::string_view kChecksumMarker = "TCHK:";
constexpr std::string_view kOldChecksumMarker = "IF S=";

// The number a line states after `marker`, when the line holds the marker in any case.
std::optional<uint64_t> MarkedNumber(std::string_view line, std::string_view marker) {
  if (!ContainsIgnoringAsciiCase(line, marker)) return std::nullopt;
  const size_t at = line.find(marker);
  return at == std::string_view::npos ? 0 : ReadDecimal(line.substr(at + marker.size()));
}

std::optional<uint64_t> StatedNumber(std::string_view line, std::string_view marker, std::string_view old_marker) {
  std::optional<uint64_t> number = MarkedNumber(line, marker);
  return number ? number : MarkedNumber(line, old_marker);
}

// Where the encoded characters of a data line begin; npos for any other line. Only the first
// double quote can open the data: a U and a quote after it close a string literal (OPEN
// "MENU" FOR OUTPUT, CHAIN "MENU10.BAU") and call nothing.
size_t DataStart(std::string_view line) {
  const size_t quote = line.find('"');
  if (quote == std::string_view::npos || quote == 0 || line[quote - 1] != 'U') return std::string_view::npos;
  return quote + 1;
}

}  // namespace

std::string AttachmentCheck::Fault() const {
  if (!found) return "no ZORVIT text";
  std::string fault;
  const auto differs = [&fault](std::string_view what, const std::string& stated, const std::string& decoded) {
    if (stated == decoded) return;
    if (!fault.empty()) fault += "; ";
    fault.append(what).append(" ").append(stated).append(" stated, ").append(decoded).append(" decoded");
  };
  differs("length", DecimalText(expected_length), DecimalText(byte_count));
  differs("checksum", DecimalText(expected_checksum), DecimalText(checksum));
  if (stated_crc) differs("CRC-32", CrcText(stated_crc->page), CrcText(crc));
  return fault;
}

void AttachmentExtractor::TakeLine(std::string_view line) {
  if (page_closed_) return;
  if (std::optional<PageCrc> crc = ParseCrcLine(line)) {
    stated_crc_ = crc;
    return;
  }
  if (state_ == ScanState::kEnded) {
    page_closed_ = ParseBeginLine(line).has_value();
    return;
  }
  const size_t data = DataStart(line);
  if (state_ == ScanState::kBeforeData) {
    if (std::optional<uint64_t> length = StatedNumber(line, kLengthMarker, kOldLengthMarker)) {
      expected_length_ = *length;
      found_length_ = true;
    }
    if (data == std::string_view::npos) return;
    state_ = ScanState::kInData;
  }
  if (data != std::string_view::npos) {
    bytes_.clear();
    decoder_.Feed(line.substr(data), bytes_);
    crc_.Add(bytes_);
    out_.Write(bytes_);
    return;
  }
  if (std::optional<uint64_t> checksum = StatedNumber(line, kChecksumMarker, kOldChecksumMarker)) {
    expected_checksum_ = *checksum;
    state_ = ScanState::kEnded;
  }
}

AttachmentCheck AttachmentExtractor::check() const {
  return {expected_length_,
          expected_checksum_,
          decoder_.byte_count(),
          decoder_.checksum(),
          found_length_ || state_ != ScanState::kBeforeData,
          stated_crc_,
          crc_.value()};
}

}  // namespace oldvek
