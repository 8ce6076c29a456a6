#include "header_options.h"

#include "failure.h"
#include "text_encoding.h"

namespace vek {

void HeaderOptions::AddTo(CLI::App& command) {
  for (Field& field : fields_) {
    field.option = command.add_option(
        std::string("--") + field.name, field.text,
        "the " + std::string(field.name) + " field (" + std::to_string(field.span.width) + " characters at most)");
  }
  command.add_flag("--truncate", truncate_, "cut texts longer than their field instead of refusing them");
}

oldvek::FieldChanges HeaderOptions::Changes() const {
  oldvek::FieldChanges changes;
  for (const Field& field : fields_) {
    if (field.option->count() == 0) continue;
    const std::string option = "--" + std::string(field.name);
    const std::string text = ArchiveEncoding().FromTyped(field.text, option);
    if (text.size() > field.span.width && !truncate_) {
      UsageFail(option + " is " + std::to_string(text.size()) + " characters; the field holds " +
                std::to_string(field.span.width) + " (--truncate cuts it)");
    }
    const oldvek::Status allowed = oldvek::CheckFieldText(option, text);
    if (!allowed.ok()) UsageFail(allowed.message());
    changes.*field.change = text.substr(0, field.span.width);
  }
  return changes;
}

void HeaderOptions::Apply(oldvek::SnippetHeader& header) const {
  const oldvek::FieldChanges changes = Changes();
  for (const Field& field : fields_) {
    if (changes.*field.change) header.SetField(field.span, *(changes.*field.change));
  }
}

}  // namespace vek
