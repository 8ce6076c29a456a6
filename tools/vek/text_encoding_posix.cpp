// glibc's iconv converts; the C.UTF-8 locale gives every character's case. The C locale's
// text counts as UTF-8, as it does for most tools today.
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <wctype.h>

#include <cerrno>
#include <cstring>

#include "text_encoding_system.h"

namespace vek::system_text {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t handle() const { return handle_; }

  // Converts all of `in`. Where it cannot, it stops (returning false) unless `go_on`, when it
  // writes `replacement` for the byte there and goes on.
  bool Convert(std::string_view in, std::string& out, bool go_on, std::string_view replacement = {}) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* from = const_cast<char*>(in.data());
    size_t left = in.size();
    char buffer[256];
    while (left > 0) {
      char* to = buffer;
      size_t room = sizeof buffer;
      const size_t done = iconv(handle_, &from, &left, &to, &room);
      out.append(buffer, to - buffer);
      if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
      if (!go_on) return false;
      out.append(replacement);
      ++from;
      --left;
    }
    return true;
  }

 private:
  iconv_t handle_;
};

std::string LocaleCodeset() {
  const locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return "UTF-8";
  std::string codeset = nl_langinfo_l(CODESET, user);
  freelocale(user);
  return codeset == "ANSI_X3.4-1968" ? "UTF-8" : codeset;
}

const std::string& Codeset() {
  static const std::string codeset = LocaleCodeset();
  return codeset;
}

bool IsUtf8Locale() { return Codeset() == "UTF-8"; }

locale_t UnicodeLocale() {
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  return unicode;
}

bool ValidUtf8(std::string_view text) {
  Converter check("UTF-32LE", "UTF-8");
  std::string ignored;
  return check.Convert(text, ignored, false);
}

}  // namespace

bool ByteCharacters(const std::string& name, std::array<char32_t, 256>& characters) {
  Converter decode("UTF-32LE", name.c_str());
  if (!decode.ok()) return false;
  for (unsigned byte = 0; byte < 256; ++byte) {
    characters[byte] = kUnassigned;
    const char in = static_cast<char>(byte);
    char* from = const_cast<char*>(&in);
    size_t left = 1;
    unsigned char out[8];
    char* to = reinterpret_cast<char*>(out);
    size_t room = sizeof out;
    iconv(decode.handle(), nullptr, nullptr, nullptr, nullptr);
    if (iconv(decode.handle(), &from, &left, &to, &room) == static_cast<size_t>(-1)) {
      if (errno == EINVAL) return false;  // the first byte of a longer character
      continue;
    }
    if (room != sizeof out - 4) return false;
    characters[byte] = out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
  }
  return true;
}

char32_t LowerCase(char32_t c) {
  return UnicodeLocale() ? towlower_l(c, UnicodeLocale()) : towlower(c);
}

char32_t UpperCase(char32_t c) {
  return UnicodeLocale() ? towupper_l(c, UnicodeLocale()) : towupper(c);
}

bool LocaleToUtf8(std::string_view text, std::string& utf8) {
  if (IsUtf8Locale()) {
    if (!ValidUtf8(text)) return false;
    utf8.assign(text);
    return true;
  }
  Converter convert("UTF-8", Codeset().c_str());
  utf8.clear();
  return convert.ok() && convert.Convert(text, utf8, false);
}

std::string Utf8ToLocale(std::string_view utf8) {
  if (IsUtf8Locale()) return std::string(utf8);
  Converter convert((Codeset() + "//TRANSLIT").c_str(), "UTF-8");
  std::string out;
  if (!convert.ok() || !convert.Convert(utf8, out, true, "?")) return std::string(utf8);
  return out;
}

}  // namespace vek::system_text
