#include "progress.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

namespace vek {

Progress::Progress(std::string what, uint64_t total, bool quiet)
    : what_(std::move(what)), total_(total), shown_(!quiet && total > 0 && isatty(2)) {
  Draw();
}

Progress::~Progress() { Wipe(); }

void Progress::Wipe() const {
  if (shown_) std::fprintf(stderr, "\r%*s\r", 60, "");
}

void Progress::Step(uint64_t count) {
  done_ += count;
  Draw();
}

void Progress::Draw() const {
  if (!shown_) return;
  constexpr int kWidth = 30;
  const uint64_t done = done_ > total_ ? total_ : done_;
  const int filled = static_cast<int>(done * kWidth / total_);
  std::fprintf(stderr, "\r%-16.16s [%.*s%*s] %llu/%llu", what_.c_str(), filled, "##############################",
               kWidth - filled, "", static_cast<unsigned long long>(done), static_cast<unsigned long long>(total_));
  std::fflush(stderr);
}

}  // namespace vek
