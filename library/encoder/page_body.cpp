#include "encoder/page_body.h"

#include "base/text.h"
#include "encoder/dialect_pages.h"

namespace oldvek {
namespace {

// V0, V1, ... V9, VA, ... VF, V10, ...
std::string SubName(uint64_t number) {
  std::string name = "V";
  name += HexText(number);
  return name;
}

}  // namespace

void PageBody::OpenSub() {
  WriteLine(out_, "SUB " + SubName(subs_opened_));
  ++subs_opened_;
  lines_in_sub_ = 0;
}

void PageBody::FullLine(std::string_view line) {
  ++lines_in_sub_;
  if (in_subs_ && lines_in_sub_ > kLinesPerSub) {
    WriteLine(out_, "END SUB");
    OpenSub();
  }
  out_.Write(line);
}

void PageBody::LastLine(std::string_view line) { out_.Write(line); }

void PageBody::WriteCallList() {
  WriteLine(out_, " ");
  for (uint64_t sub = 0; sub < subs_opened_; ++sub) WriteLine(out_, SubName(sub));
}

}  // namespace oldvek
