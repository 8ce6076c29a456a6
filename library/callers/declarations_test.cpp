// The PowerBASIC and Visual Basic declarations must match oldvek.def, the C prototypes and the C
// records: a drifted declaration corrupts the caller's stack or its records without a word.
#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <fstream>
#include <map>
#include <ostream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "oldvek.h"

namespace {

struct Dialect {
  const char* file;
  const char* string;      // BSTR*, by reference
  const char* list;        // SAFEARRAY**, by reference
  const char* integer;     // int32_t
  const char* handle;      // HWND, intptr_t and callbacks by value
  const char* callbackRef; // a pointer to a callback, by reference
};
constexpr Dialect kPowerBasic{"OldVek.inc", "STRING", "DWORD", "LONG", "DWORD", "DWORD"};
constexpr Dialect kVisualBasic{"OldVek.bas", "STRING", "STRING()", "LONG", "LONG", "LONG"};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// "BYREF LONG", "BYVAL DWORD", ...: how a C argument of type T is declared.
template <class T>
std::string Expected(const Dialect& d) {
  using std::is_same_v;
  if constexpr (is_same_v<T, BSTR*>) return std::string("BYREF ") + d.string;
  else if constexpr (is_same_v<T, SAFEARRAY**>) return std::string("BYREF ") + d.list;
  else if constexpr (is_same_v<T, int32_t*>) return std::string("BYREF ") + d.integer;
  else if constexpr (is_same_v<T, int32_t> || is_same_v<T, intptr_t>) return std::string("BYVAL ") + d.integer;
  else if constexpr (is_same_v<T, uint8_t>) return "BYVAL BYTE";
  else if constexpr (is_same_v<T, HWND>) return std::string("BYVAL ") + d.handle;
  else if constexpr (is_same_v<T, SnippetRecord*>) return "BYREF SNIPPETRECORD";
  else if constexpr (is_same_v<T, SearchState*>) return "BYREF SEARCHSTATE";
  else if constexpr (is_same_v<T, CriteriaCallback*> || is_same_v<T, MatchCallback*>)
    return std::string("BYREF ") + d.callbackRef;
  else if constexpr (std::is_function_v<std::remove_pointer_t<T>>) return std::string("BYVAL ") + d.handle;
  else static_assert(!sizeof(T), "an argument type the declarations do not know");
}

template <class... A>
std::vector<std::string> ExpectedArguments(void(VEKAPI*)(A...), const Dialect& d) {
  return {Expected<A>(d)...};
}

std::map<std::string, std::vector<std::string>> Prototypes(const Dialect& d) {
  std::map<std::string, std::vector<std::string>> p{
      {"OldIndex", ExpectedArguments(&OldIndex, d)},
      {"OldGetCode", ExpectedArguments(&OldGetCode, d)},
      {"OldVekSearch", ExpectedArguments(&OldVekSearch, d)},
      {"OldVekDelSnip", ExpectedArguments(&OldVekDelSnip, d)},
      {"OldVekMove", ExpectedArguments(&OldVekMove, d)},
      {"OldVekHeaderUpdate", ExpectedArguments(&OldVekHeaderUpdate, d)},
      {"OldExtractCode", ExpectedArguments(&OldExtractCode, d)},
      {"OldVekCreateCDE", ExpectedArguments(&OldVekCreateCDE, d)},
      {"EncodeZorvit", ExpectedArguments(&EncodeZorvit, d)},
  };
  if (&d == &kVisualBasic) p["OldVekCreateCDE"][4] = "BYREF LONG()";  // the selection is VT_I4
  return p;
}

struct Field {
  std::string name;
  size_t offset, size;
  bool operator==(const Field&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Field& f) {
    return out << f.name << "@" << f.offset << "+" << f.size;
  }
};
#define FIELD(record, member) Field{Upper(#member), offsetof(record, member), sizeof(record::member)}

const std::map<std::string, std::vector<Field>>& Records() {
  static const std::map<std::string, std::vector<Field>> records{
      {"SNIPPETRECORD",
       {FIELD(SnippetRecord, Unused0), FIELD(SnippetRecord, Author), FIELD(SnippetRecord, Subject),
        FIELD(SnippetRecord, Origin), FIELD(SnippetRecord, Date), FIELD(SnippetRecord, Code),
        FIELD(SnippetRecord, Tag), FIELD(SnippetRecord, LineBlockSize), FIELD(SnippetRecord, LineCount),
        FIELD(SnippetRecord, Kind)}},
      {"SEARCHCRITERIA",
       {FIELD(SearchCriteria, SubjectSwitch), FIELD(SearchCriteria, AuthorSwitch),
        FIELD(SearchCriteria, CodeTextSwitch), FIELD(SearchCriteria, PacketSwitch),
        FIELD(SearchCriteria, OriginSwitch), FIELD(SearchCriteria, Criterion4Switch),
        FIELD(SearchCriteria, Reserved24), FIELD(SearchCriteria, SubjectTerm), FIELD(SearchCriteria, AuthorTerm),
        FIELD(SearchCriteria, OriginTerm), FIELD(SearchCriteria, Reserved132), FIELD(SearchCriteria, CodeTextTerm)}},
      {"SEARCHSTATE",
       {FIELD(SearchState, Reserved0), FIELD(SearchState, PacketChoice), FIELD(SearchState, Reserved176),
        FIELD(SearchState, MatchCount)}},
  };
  return records;
}

struct Declarations {
  std::map<std::string, std::vector<std::string>> subs;  // by alias
  std::map<std::string, std::vector<Field>> types;
  std::vector<std::string> faults;
};

// Reads a declaration file: continuation lines joined, comments dropped, case folded.
Declarations Parse(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  std::vector<std::string> lines;
  std::string line, joined;
  while (std::getline(in, line)) {
    if (auto quote = line.find('\''); quote != std::string::npos) line.erase(quote);
    joined += line;
    static const std::regex continued(R"(\s_\s*$)");
    if (std::regex_search(joined, continued)) {
      joined = std::regex_replace(joined, continued, " ");
      continue;
    }
    lines.push_back(Upper(joined));
    joined.clear();
  }
  static const std::regex declare(
      R"re(^\s*(?:PUBLIC\s+)?DECLARE\s+SUB\s+(\w+)\s+LIB\s+"OLDVEK\.DLL"\s+ALIAS\s+"(\w+)"\s*\((.*)\)\s*$)re");
  static const std::regex argument(R"(^\s*(BYREF|BYVAL)\s+\w+(\(\))?\s+AS\s+(\w+)\s*$)");
  static const std::regex type_begin(R"(^\s*TYPE\s+(\w+)\s*$)"), type_end(R"(^\s*END\s+TYPE\s*$)");
  static const std::regex field(R"(^\s*(\w+?)_?\s+AS\s+(BYTE|LONG|STRING\s*\*\s*(\d+))\s*$)");
  Declarations d;
  std::string in_type;
  size_t offset = 0;
  for (const auto& text : lines) {
    std::smatch m;
    if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
    if (std::regex_match(text, m, declare)) {
      if (m[1] != m[2]) d.faults.push_back("name differs from alias: " + text);
      std::vector<std::string>& args = d.subs[m[2]];
      std::stringstream list(m[3].str());
      for (std::string one; std::getline(list, one, ',');) {
        std::smatch a;
        if (!std::regex_match(one, a, argument)) d.faults.push_back("unreadable argument: " + one);
        else args.push_back(a[1].str() + " " + a[3].str() + a[2].str());
      }
    } else if (std::regex_match(text, m, type_begin)) {
      in_type = m[1];
      offset = 0;
      d.types[in_type];
    } else if (std::regex_match(text, m, type_end)) {
      in_type.clear();
    } else if (!in_type.empty() && std::regex_match(text, m, field)) {
      size_t size = m[2] == "BYTE" ? 1 : m[2] == "LONG" ? 4 : std::stoul(m[3]);
      d.types[in_type].push_back({m[1], offset, size});
      offset += size;
    } else {
      d.faults.push_back("unexpected line: " + text);
    }
  }
  return d;
}

std::set<std::string> DefExports() {
  std::ifstream def(OLDVEK_LIBRARY_DIR "/oldvek.def");
  std::set<std::string> names;
  std::string word;
  while (def >> word && word != "EXPORTS") {}
  while (def >> word) names.insert(Upper(word));
  return names;
}

class CallerDeclarations : public testing::TestWithParam<const Dialect*> {};

TEST_P(CallerDeclarations, MatchTheExportsAndTheRecords) {
  const Dialect& dialect = *GetParam();
  Declarations d = Parse(std::string(OLDVEK_LIBRARY_DIR "/callers/") + dialect.file);
  EXPECT_EQ(d.faults, std::vector<std::string>{});

  std::set<std::string> declared;
  for (const auto& [name, args] : d.subs) declared.insert(name);
  EXPECT_EQ(declared, DefExports());
  for (const auto& [name, args] : Prototypes(dialect)) EXPECT_EQ(d.subs[Upper(name)], args) << name;

  EXPECT_EQ(d.types, Records());
}

INSTANTIATE_TEST_SUITE_P(Dialects, CallerDeclarations, testing::Values(&kPowerBasic, &kVisualBasic),
                         [](const auto& info) { return info.param == &kPowerBasic ? "PowerBasic" : "VisualBasic"; });

}  // namespace
