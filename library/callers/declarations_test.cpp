// The PowerBASIC and Visual Basic declarations must match oldvek.def, the C prototypes and the C
// records: a drifted declaration corrupts the caller's stack or its records without a word.
#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "oldvek.h"
#include "temp_folder.h"

namespace {

// How each dialect spells an argument type; callbacks are addresses.
struct Dialect {
  const char* file;
  const char* list;     // SAFEARRAY**, by reference
  const char* address;  // HWND and callbacks by value, a callback variable by reference
};
constexpr Dialect kPowerBasic{"OldVek.inc", "DWORD", "DWORD"};
constexpr Dialect kVisualBasic{"OldVek.bas", "STRING()", "LONG"};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

template <class T>
std::string Expected(const Dialect& d) {
  using std::is_same_v;
  if constexpr (is_same_v<T, BSTR*>)
    return "BYREF STRING";
  else if constexpr (is_same_v<T, SAFEARRAY**>)
    return std::string("BYREF ") + d.list;
  else if constexpr (is_same_v<T, int32_t*>)
    return "BYREF LONG";
  else if constexpr (is_same_v<T, int32_t> || is_same_v<T, intptr_t>)
    return "BYVAL LONG";
  else if constexpr (is_same_v<T, uint8_t>)
    return "BYVAL BYTE";
  else if constexpr (is_same_v<T, SnippetRecord*>)
    return "BYREF SNIPPETRECORD";
  else if constexpr (is_same_v<T, SearchState*>)
    return "BYREF SEARCHSTATE";
  else if constexpr (is_same_v<T, CriteriaCallback*> || is_same_v<T, MatchCallback*>)
    return std::string("BYREF ") + d.address;
  else if constexpr (is_same_v<T, HWND> || std::is_function_v<std::remove_pointer_t<T>>)
    return std::string("BYVAL ") + d.address;
  else
    static_assert(!sizeof(T), "an argument type the declarations do not know");
}

template <class... A>
std::vector<std::string> Arguments(void(VEKAPI*)(A...), const Dialect& d) {
  return {Expected<A>(d)...};
}

#define PROTOTYPE(function, dialect) \
  { Upper(#function), Arguments(decltype(&function){}, dialect) }

std::map<std::string, std::vector<std::string>> Prototypes(const Dialect& d) {
  std::map<std::string, std::vector<std::string>> p{
      PROTOTYPE(OldIndex, d),       PROTOTYPE(OldGetCode, d),      PROTOTYPE(OldVekSearch, d),
      PROTOTYPE(OldVekDelSnip, d),  PROTOTYPE(OldVekMove, d),      PROTOTYPE(OldVekHeaderUpdate, d),
      PROTOTYPE(OldExtractCode, d), PROTOTYPE(OldVekCreateCDE, d), PROTOTYPE(EncodeZorvit, d),
  };
  if (&d == &kVisualBasic) p["OLDVEKCREATECDE"][4] = "BYREF LONG()";  // the selection is VT_I4
  return p;
}

using Field = std::tuple<std::string, size_t, size_t>;  // name, offset, size
#define FIELD(record, member) \
  Field { Upper(#member), offsetof(record, member), sizeof(record::member) }

std::map<std::string, std::vector<Field>> Records() {
  return {
      {"SNIPPETRECORD",
       {FIELD(SnippetRecord, Unused0), FIELD(SnippetRecord, Author), FIELD(SnippetRecord, Subject),
        FIELD(SnippetRecord, Origin), FIELD(SnippetRecord, Date), FIELD(SnippetRecord, Code), FIELD(SnippetRecord, Tag),
        FIELD(SnippetRecord, LineBlockSize), FIELD(SnippetRecord, LineCount), FIELD(SnippetRecord, Kind)}},
      {"SEARCHCRITERIA",
       {FIELD(SearchCriteria, SubjectSwitch), FIELD(SearchCriteria, AuthorSwitch),
        FIELD(SearchCriteria, CodeTextSwitch), FIELD(SearchCriteria, PacketSwitch), FIELD(SearchCriteria, OriginSwitch),
        FIELD(SearchCriteria, Criterion4Switch), FIELD(SearchCriteria, Reserved24), FIELD(SearchCriteria, SubjectTerm),
        FIELD(SearchCriteria, AuthorTerm), FIELD(SearchCriteria, OriginTerm), FIELD(SearchCriteria, Reserved132),
        FIELD(SearchCriteria, CodeTextTerm)}},
      {"SEARCHSTATE",
       {FIELD(SearchState, Reserved0), FIELD(SearchState, PacketChoice), FIELD(SearchState, Reserved176),
        FIELD(SearchState, MatchCount)}},
  };
}

// A declaration that does not parse (CDECL, a typo, another DLL) is simply missing, and a
// field that does not parse shifts the offsets: both show up as differences.
struct Declarations {
  std::map<std::string, std::vector<std::string>> subs;
  std::map<std::string, std::vector<Field>> types;
};

Declarations Parse(const std::string& path) {
  std::string text = std::regex_replace(Upper(oldvek::testing::ReadFileBytes(path)), std::regex("'[^\n]*"), "");
  std::stringstream lines(std::regex_replace(text, std::regex(" _[ \t\r]*\n"), " "));
  static const std::regex declare(
      R"re(\s*(?:PUBLIC\s+)?DECLARE\s+SUB\s+(\w+)\s+LIB\s+"OLDVEK\.DLL"\s+ALIAS\s+"\1"\s*\((.*)\)\s*)re");
  static const std::regex argument(R"(\s*(BYREF|BYVAL)\s+\w+(\(\))?\s+AS\s+(\w+)\s*)");
  static const std::regex type(R"(\s*TYPE\s+(\w+)\s*)"),
      field(R"(\s*(\w+?)_?\s+AS\s+(BYTE|LONG|STRING\s*\*\s*(\d+))\s*)");
  Declarations d;
  std::vector<Field>* fields = nullptr;
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_match(line, m, declare)) {
      std::stringstream list(m[2].str());
      for (std::string one; std::getline(list, one, ',');)
        if (std::smatch a; std::regex_match(one, a, argument))
          d.subs[m[1]].push_back(a[1].str() + " " + a[3].str() + a[2].str());
    } else if (std::regex_match(line, m, type)) {
      fields = &d.types[m[1]];
    } else if (fields && std::regex_match(line, m, field)) {
      const size_t offset = fields->empty() ? 0 : std::get<1>(fields->back()) + std::get<2>(fields->back());
      fields->emplace_back(m[1], offset, m[2] == "BYTE" ? 1 : m[2] == "LONG" ? 4 : std::stoul(m[3]));
    }
  }
  return d;
}

std::set<std::string> DefExports() {
  std::ifstream def(OLDVEK_LIBRARY_DIR "/oldvek.def");
  std::set<std::string> names;
  std::string word;
  while (def >> word && word != "EXPORTS") {
  }
  while (def >> word) names.insert(Upper(word));
  return names;
}

TEST(CallerDeclarations, MatchTheExportsAndTheRecords) {
  for (const Dialect* dialect : {&kPowerBasic, &kVisualBasic}) {
    SCOPED_TRACE(dialect->file);
    Declarations d = Parse(std::string(OLDVEK_LIBRARY_DIR "/callers/") + dialect->file);
    std::set<std::string> declared;
    for (const auto& [name, args] : d.subs) declared.insert(name);
    EXPECT_EQ(declared, DefExports());
    for (const auto& [name, args] : Prototypes(*dialect)) EXPECT_EQ(d.subs[name], args) << name;
    EXPECT_EQ(d.types, Records());
  }
}

}  // namespace
