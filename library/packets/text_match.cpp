#include "packets/text_match.h"

#include <algorithm>

#include "packets/formats.h"

namespace oldvek {
namespace {

// Cuts each terminated line out of the pieces (joining a line that runs across pieces) and
// tests it whole. The unterminated rest of a body is never tested.
class LineSearch final : public BodySearch {
 public:
  explicit LineSearch(const TextTest& test) : test_(test) {}

  void Reset() override {
    carry_.clear();
    found_ = false;
  }
  void Feed(std::string_view piece) override {
    for (size_t cut; !found_ && (cut = piece.find(kLineEnd)) != std::string_view::npos;) {
      if (carry_.empty()) {
        found_ = test_.Matches(piece.substr(0, cut));
      } else {
        carry_.append(piece.substr(0, cut));
        found_ = test_.Matches(carry_);
        carry_.clear();
      }
      piece.remove_prefix(cut + 1);
    }
    if (!found_) carry_.append(piece);
  }
  bool found() const override { return found_; }

 private:
  const TextTest& test_;
  std::string carry_;
  bool found_ = false;
};

// The needle looked for across the pieces: the last size-1 bytes of what came before are
// kept, so a match cut by a piece's end is still seen. The needle holds no terminator (or
// it could match no line), so a match lies within one line; once one is seen, the next
// terminator settles it.
class CaseBlindSearch final : public BodySearch {
 public:
  explicit CaseBlindSearch(const CaseBlindText& needle) : needle_(needle) {}

  void Reset() override {
    carry_.clear();
    found_ = false;
    // An empty needle stands in every line: the first terminator is enough.
    awaiting_line_end_ = needle_.size() == 0;
  }

  void Feed(std::string_view piece) override {
    if (found_) return;
    if (awaiting_line_end_) {
      found_ = piece.find(kLineEnd) != std::string_view::npos;
      return;
    }
    const size_t keep = needle_.size() - 1;
    if (!carry_.empty()) {
      // A match that begins in the carry ends inside the piece, within its first `keep` bytes.
      joint_.assign(carry_).append(piece.substr(0, keep));
      const size_t at = needle_.Find(joint_);
      if (at != CaseBlindText::kNotFound) return Seen(piece, at + needle_.size() - carry_.size());
    }
    const size_t at = needle_.Find(piece);
    if (at != CaseBlindText::kNotFound) return Seen(piece, at + needle_.size());
    if (piece.size() >= keep) {
      carry_.assign(piece.substr(piece.size() - keep));
    } else {
      carry_.append(piece);
      carry_.erase(0, carry_.size() - std::min(carry_.size(), keep));
    }
  }

  bool found() const override { return found_; }

 private:
  // A match ends at `end` of `piece`: its line counts once its terminator comes.
  void Seen(std::string_view piece, size_t end) {
    found_ = piece.find(kLineEnd, end) != std::string_view::npos;
    awaiting_line_end_ = !found_;
  }

  const CaseBlindText& needle_;
  std::string carry_;
  std::string joint_;
  bool found_ = false;
  bool awaiting_line_end_ = false;
};

// Finds nothing: for a needle holding the terminator, which no line can hold.
class NoSearch final : public BodySearch {
 public:
  void Reset() override {}
  void Feed(std::string_view) override {}
  bool found() const override { return false; }
};

}  // namespace

std::unique_ptr<BodySearch> TextTest::NewBodySearch() const { return std::make_unique<LineSearch>(*this); }

const CaseFolding& AsciiCaseFolding() {
  static constexpr CaseFolding kAscii = [] {
    CaseFolding table{};
    for (size_t c = 0; c < table.size(); ++c) {
      table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return table;
  }();
  return kAscii;
}

CaseBlindText::CaseBlindText(std::string_view needle, const CaseFolding& folding) : fold_(folding) {
  folded_.reserve(needle.size());
  for (char c : needle) folded_.push_back(static_cast<char>(fold_[static_cast<unsigned char>(c)]));
  // Horspool: how far the needle may move on when the byte under its last place is c, that
  // is when c folds to a byte of the needle.
  std::array<size_t, 256> folded_skip;
  folded_skip.fill(std::max<size_t>(folded_.size(), 1));
  for (size_t i = 0; i + 1 < folded_.size(); ++i) folded_skip[static_cast<unsigned char>(folded_[i])] = folded_.size() - 1 - i;
  for (size_t c = 0; c < skip_.size(); ++c) skip_[c] = folded_skip[fold_[c]];
}

std::unique_ptr<BodySearch> CaseBlindText::NewBodySearch() const {
  if (folded_.find(kLineEnd) != std::string::npos) return std::make_unique<NoSearch>();
  return std::make_unique<CaseBlindSearch>(*this);
}

size_t CaseBlindText::Find(std::string_view text) const {
  const size_t size = folded_.size();
  if (size == 0) return 0;
  if (text.size() < size) return kNotFound;
  const size_t last = size - 1;
  const unsigned char tail = static_cast<unsigned char>(folded_[last]);
  const char* bytes = text.data();
  for (size_t at = 0; at + size <= text.size();) {
    const unsigned char c = static_cast<unsigned char>(bytes[at + last]);
    if (fold_[c] == tail) {
      size_t i = 0;
      while (i < last && fold_[static_cast<unsigned char>(bytes[at + i])] == static_cast<unsigned char>(folded_[i]))
        ++i;
      if (i == last) return at;
    }
    at += skip_[c];
  }
  return kNotFound;
}

}  // namespace oldvek
