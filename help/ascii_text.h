#ifndef VEKHELP_ASCII_TEXT_H_
#define VEKHELP_ASCII_TEXT_H_

#include <string>
#include <string_view>

namespace vekhelp {

// The help text is 8-bit; only the ASCII letters a-z have an upper case here, whatever the
// locale.
inline std::string AsciiUpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace vekhelp

#endif  // VEKHELP_ASCII_TEXT_H_
