#ifndef OLDVEK_ENCODER_PAGE_NAMES_H_
#define OLDVEK_ENCODER_PAGE_NAMES_H_

// How many files an encoding writes and what they are called. QBasic/QB/PDS output is cut
// into pages of 156000 input bytes; page k > 1 is named after the first page's name with the
// suffix hex(k + 14) on a stem kept to 8 characters: MYPROG.BAS, MYPROG10.BAS, MYPROG11.BAS.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "encoder/target_dialect.h"

namespace oldvek {

inline constexpr uint64_t kPageBytes = 156000;

// At least 1: an empty input still gives one page.
uint64_t PageCount(TargetDialect dialect, uint64_t input_length);

// The bytes page `page` (from 1) carries.
uint64_t PageByteCount(TargetDialect dialect, uint64_t input_length, uint64_t page);

// The file name of the page after `page`, derived from the first page's `output_name`.
std::string NextPageName(std::string_view output_name, uint64_t page);

// The file names of pages 1 to `page_count`; a failure naming the pages when two of them
// would be the same file (names compared without regard to case, as Windows compares them).
Result<std::vector<std::string>> PageFileNames(std::string_view output_name, uint64_t page_count);

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_PAGE_NAMES_H_
