// Windows has no iconv: an encoding is a code page ("cp437", "windows-1252", "latin1"),
// converted with MultiByteToWideChar and WideCharToMultiByte. Arguments reach vek in the ANSI
// code page, as file names reach the library's file functions; what vek shows is written in
// the console's output code page, or the ANSI code page when the output is not a console.
#include <windows.h>

#include <io.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "text_encoding_system.h"

namespace vek::system_text {
namespace {

// "cp437", "ibm850", "windows-1252", "latin1", "iso-8859-15": the code page's number, or 0.
UINT CodePageNamed(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  std::erase_if(name, [](char c) { return c == '-' || c == '_'; });
  const auto number = [&](size_t from) -> UINT {
    const std::string digits = name.substr(from);
    if (digits.empty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return 0;
    return static_cast<UINT>(std::stoul(digits));
  };
  if (name == "latin1") return 28591;
  if (name.starts_with("iso8859")) return number(7) == 0 ? 0 : 28590 + number(7);
  for (const char* prefix : {"windows", "cp", "ibm"}) {
    if (name.starts_with(prefix)) return number(std::string_view(prefix).size());
  }
  return 0;
}

std::wstring Wide(std::string_view text, UINT code_page, DWORD flags) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(code_page, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  if (size > 0) MultiByteToWideChar(code_page, flags, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Narrow(std::wstring_view wide, UINT code_page) {
  if (wide.empty()) return {};
  const bool utf8 = code_page == CP_UTF8;
  const char* replacement = utf8 ? nullptr : "?";
  const int size =
      WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, replacement, nullptr);
  std::string text(size, '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, replacement,
                      nullptr);
  return text;
}

char32_t MapCase(char32_t c, DWORD flag) {
  if (c > 0xFFFF) return c;
  wchar_t in = static_cast<wchar_t>(c);
  wchar_t out = in;
  return LCMapStringW(LOCALE_INVARIANT, flag, &in, 1, &out, 1) == 1 ? out : c;
}

UINT ShownCodePage() {
  const HANDLE output = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
  DWORD mode = 0;
  return GetConsoleMode(output, &mode) ? GetConsoleOutputCP() : GetACP();
}

}  // namespace

bool ByteCharacters(const std::string& name, std::array<char32_t, 256>& characters) {
  const UINT code_page = CodePageNamed(name);
  CPINFO info;
  if (code_page == 0 || !GetCPInfo(code_page, &info) || info.MaxCharSize != 1) return false;
  for (unsigned byte = 0; byte < 256; ++byte) {
    const char in = static_cast<char>(byte);
    wchar_t out = 0;
    const bool assigned = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, &in, 1, &out, 1) == 1;
    characters[byte] = assigned ? out : kUnassigned;
  }
  return true;
}

char32_t LowerCase(char32_t c) { return MapCase(c, LCMAP_LOWERCASE); }
char32_t UpperCase(char32_t c) { return MapCase(c, LCMAP_UPPERCASE); }

bool LocaleToUtf8(std::string_view text, std::string& utf8) {
  const std::wstring wide = Wide(text, CP_ACP, MB_ERR_INVALID_CHARS);
  if (wide.empty() && !text.empty()) return false;
  utf8 = Narrow(wide, CP_UTF8);
  return true;
}

std::string Utf8ToLocale(std::string_view utf8) {
  const UINT shown = ShownCodePage();
  return shown == CP_UTF8 ? std::string(utf8) : Narrow(Wide(utf8, CP_UTF8, 0), shown);
}

}  // namespace vek::system_text
