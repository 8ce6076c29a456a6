#ifndef OLDVEK_PACKETS_TEXT_MATCH_H_
#define OLDVEK_PACKETS_TEXT_MATCH_H_

// What a search asks of a text: of a header field as stored, or of a snippet's code lines.
// A body is handed over in pieces cut anywhere, not line by line, so that a search can run
// over the packet file as it streams past; only the terminated lines of a body count, as
// for a fetch.

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace oldvek {

// Looks through one body at a time for a terminated line that matches.
class BodySearch {
 public:
  virtual ~BodySearch() = default;
  // A new body begins.
  virtual void Reset() = 0;
  // The body's next bytes; a line may run on into the next piece.
  virtual void Feed(std::string_view piece) = 0;
  virtual bool found() const = 0;
};

class TextTest {
 public:
  virtual ~TextTest() = default;
  // `text` is a header field as stored (trailing blanks included) or a code line without its
  // terminator.
  virtual bool Matches(std::string_view text) const = 0;
  // The search of bodies for this test; by default each line is cut out and tested whole.
  virtual std::unique_ptr<BodySearch> NewBodySearch() const;
};

// Each byte's lower case letter, or the byte itself.
using CaseFolding = std::array<unsigned char, 256>;

// A-Z folded to a-z: how the library's searches compare letters.
const CaseFolding& AsciiCaseFolding();

// A substring in any letter case, letters folded through a table (a-z/A-Z unless told). Bodies
// are searched in their bytes directly (Horspool's skips, folded through the table), which
// holds no more than the needle whatever the length of a line: a match counts once a line
// terminator follows it within the body.
class CaseBlindText final : public TextTest {
 public:
  static constexpr size_t kNotFound = std::string_view::npos;

  explicit CaseBlindText(std::string_view needle, const CaseFolding& folding = AsciiCaseFolding());

  bool Matches(std::string_view text) const override { return Find(text) != kNotFound; }
  std::unique_ptr<BodySearch> NewBodySearch() const override;

  // Where the needle first stands in `text`; an empty needle stands at 0.
  size_t Find(std::string_view text) const;
  size_t size() const { return folded_.size(); }

 private:
  CaseFolding fold_;
  std::string folded_;  // the needle, folded
  std::array<size_t, 256> skip_;
};

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_TEXT_MATCH_H_
