#include "regex_text.h"

#include "failure.h"

#ifdef VEK_HAVE_RE2
#include <re2/re2.h>

#include "base/text.h"
#endif

namespace vek {

#ifdef VEK_HAVE_RE2
namespace {

class Re2Text final : public oldvek::TextTest {
 public:
  Re2Text(const std::string& pattern, bool header_field, const TextEncoding& encoding)
      : encoding_(encoding), regex_(encoding.ToUtf8(pattern), Options()), header_field_(header_field) {
    if (!regex_.ok()) UsageFail("\"" + encoding.ToShown(pattern) + "\" is not a regular expression: " + regex_.error());
  }

  bool Matches(std::string_view text) const override {
    if (header_field_) text = oldvek::TrimTrailingBlanks(text);
    const std::string utf8 = encoding_.ToUtf8(text);
    return RE2::PartialMatch(utf8, regex_);
  }

 private:
  static RE2::Options Options() {
    RE2::Options options;
    options.set_case_sensitive(false);
    options.set_log_errors(false);
    return options;
  }

  const TextEncoding& encoding_;
  RE2 regex_;
  bool header_field_;
};

}  // namespace

std::unique_ptr<oldvek::TextTest> RegexText(const std::string& pattern, bool header_field,
                                            const TextEncoding& encoding) {
  return std::make_unique<Re2Text>(pattern, header_field, encoding);
}
#else
std::unique_ptr<oldvek::TextTest> RegexText(const std::string&, bool, const TextEncoding&) {
  UsageFail("this vek was built without regular expressions (RE2)");
}
#endif

}  // namespace vek
