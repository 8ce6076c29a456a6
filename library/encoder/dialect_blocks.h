#ifndef OLDVEK_ENCODER_DIALECT_BLOCKS_H_
#define OLDVEK_ENCODER_DIALECT_BLOCKS_H_

// The fixed text of the generated programs: a head and a tail block per dialect, read out by
// line number (from 1). A line of one blank and an empty line are different lines.

#include <span>
#include <string_view>

namespace oldvek {

using TextBlock = std::span<const std::string_view>;

extern const TextBlock kPowerBasicHead;   // 33 lines
extern const TextBlock kPowerBasicTail;   // 42 lines
extern const TextBlock kQuickBasicHead;   // 18 lines
extern const TextBlock kQuickBasicTail;   // 23 lines
extern const TextBlock kVisualBasicHead;  // 16 lines
extern const TextBlock kVisualBasicTail;  // 21 lines

// Lines `first` to `last` of a block, both counted from 1.
inline TextBlock BlockLines(TextBlock block, size_t first, size_t last) {
  return block.subspan(first - 1, last - first + 1);
}

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_DIALECT_BLOCKS_H_
