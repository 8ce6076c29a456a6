#ifndef OLDVEK_ENCODER_PAGE_BODY_H_
#define OLDVEK_ENCODER_PAGE_BODY_H_

// The data lines of a page as the generated program holds them. PBCC/PBWIN has them straight
// in PBMAIN. Visual BASIC and QBasic/QB/PDS cannot hold that much code in one procedure, so
// the lines go into SUBs V0, V1, ... VA, ...: a SUB is closed and the next opened when a 201st
// full line arrives, the arriving line then being the new SUB's first and not counted. So V0
// holds 200 full lines and later SUBs 201; the page's short last line is never counted.

#include <cstdint>
#include <string_view>

#include "encoder/zorvit_encoder.h"
#include "platform/buffered_writer.h"

namespace oldvek {

class PageBody final : public ZorvitLineSink {
 public:
  static constexpr uint64_t kLinesPerSub = 200;

  PageBody(BufferedWriter& out, bool in_subs) : out_(out), in_subs_(in_subs) {}

  // Writes "SUB V" and the next SUB number in hexadecimal.
  void OpenSub();
  void FullLine(std::string_view line) override;
  void LastLine(std::string_view line) override;
  // A blank line, then one call line per SUB opened on this page: V0, V1, ...
  void WriteCallList();

 private:
  BufferedWriter& out_;
  bool in_subs_;
  uint64_t subs_opened_ = 0;
  uint64_t lines_in_sub_ = 0;
};

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_PAGE_BODY_H_
