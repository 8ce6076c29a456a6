#ifndef OLDVEK_TOOLS_VEK_HEADER_OPTIONS_H_
#define OLDVEK_TOOLS_VEK_HEADER_OPTIONS_H_

#include <CLI/CLI.hpp>
#include <array>
#include <string>

#include "packets/formats.h"

namespace vek {

// --author, --subject, --origin, --date and --code, and --truncate: the header fields a
// snippet is given by "add" and "retitle".
class HeaderOptions {
 public:
  void AddTo(CLI::App& command);

  // Writes each given field into `header`; fields not given keep what `header` holds. A
  // text longer than its field is a usage error unless --truncate was given.
  void Apply(oldvek::SnippetHeader& header) const;

 private:
  struct Field {
    const char* name;
    oldvek::FieldSpan span;
    std::string text;
    CLI::Option* option = nullptr;
  };
  std::array<Field, 5> fields_{{{"author", oldvek::SnippetHeader::kAuthor, {}},
                                {"subject", oldvek::SnippetHeader::kSubject, {}},
                                {"origin", oldvek::SnippetHeader::kOrigin, {}},
                                {"date", oldvek::SnippetHeader::kDate, {}},
                                {"code", oldvek::SnippetHeader::kCode, {}}}};
  bool truncate_ = false;
};

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_HEADER_OPTIONS_H_
