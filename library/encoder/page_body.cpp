#include "encoder/page_body.h"

#include "base/text.h"
#include "encoder/dialect_pages.h"

namespace oldvek {

void PageBody::OpenSub() {
  WriteLine(out_, "SUB V" + HexText(subs_opened_));
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
  for (uint64_t sub = 0; sub < subs_opened_; ++sub) WriteLine(out_, "V" + HexText(sub));
}

}  // namespace oldvek
