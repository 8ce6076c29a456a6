#ifndef OLDVEK_TESTS_SUPPORT_ZORVIT_PAGES_H_
#define OLDVEK_TESTS_SUPPORT_ZORVIT_PAGES_H_

// ZORVIT source pages made by the library's own encoder, as a user's archive would hold them,
// for tests that take such pages apart again. Only standard types cross this header, so the
// export tests can use it without seeing the library's internals.

#include <string>
#include <string_view>
#include <vector>

namespace oldvek::testing {

// Numbered as the encoder numbers its dialects.
enum class PageDialect { kPowerBasic = 1, kVisualBasic = 2, kQuickBasic = 3 };

using PageLines = std::vector<std::string>;  // one page's lines without their CR LF

// Encodes `bytes` as the file `input_name` into the pages of `dialect`, the first page named
// `first_page_name`; page 1 comes first.
std::vector<PageLines> EncodePages(std::string_view bytes, const std::string& input_name,
                                   const std::string& first_page_name, PageDialect dialect);

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_ZORVIT_PAGES_H_
