#ifndef OLDVEK_TOOLS_VEK_HEADER_OPTIONS_H_
#define OLDVEK_TOOLS_VEK_HEADER_OPTIONS_H_

#include <CLI/CLI.hpp>
#include <array>
#include <string>

#include "editing/header_update.h"
#include "packets/formats.h"

namespace vek {

// --author, --subject, --origin, --date and --code, and --truncate: the header fields a
// snippet is given by "add" and "retitle".
class HeaderOptions {
 public:
  void AddTo(CLI::App& command);

  // The fields given. A text longer than its field is a usage error unless --truncate was
  // given (then it is cut), and so is one that would split the snippet's list entry.
  oldvek::FieldChanges Changes() const;

  // Writes each given field into `header`; fields not given keep what `header` holds.
  void Apply(oldvek::SnippetHeader& header) const;

 private:
  struct Field {
    const char* name;
    oldvek::FieldSpan span;
    std::optional<std::string> oldvek::FieldChanges::*change;
    std::string text;
    CLI::Option* option = nullptr;
  };
  std::array<Field, 5> fields_{{{"author", oldvek::SnippetHeader::kAuthor, &oldvek::FieldChanges::author, {}},
                                {"subject", oldvek::SnippetHeader::kSubject, &oldvek::FieldChanges::subject, {}},
                                {"origin", oldvek::SnippetHeader::kOrigin, &oldvek::FieldChanges::origin, {}},
                                {"date", oldvek::SnippetHeader::kDate, &oldvek::FieldChanges::date, {}},
                                {"code", oldvek::SnippetHeader::kCode, &oldvek::FieldChanges::code, {}}}};
  bool truncate_ = false;
};

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_HEADER_OPTIONS_H_
