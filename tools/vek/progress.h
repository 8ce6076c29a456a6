#ifndef OLDVEK_TOOLS_VEK_PROGRESS_H_
#define OLDVEK_TOOLS_VEK_PROGRESS_H_

#include <cstdint>
#include <string>

namespace vek {

// A one-line bar on standard error while long work runs, shown only when standard error is
// a terminal and --quiet was not given; it is wiped when the work ends.
class Progress {
 public:
  Progress(std::string what, uint64_t total, bool quiet);
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  ~Progress();

  void Step(uint64_t count = 1);
  // Takes the bar off the line, so that what is printed next stands alone; the next step draws it again.
  void Wipe() const;

 private:
  void Draw() const;

  std::string what_;
  uint64_t total_;
  uint64_t done_ = 0;
  bool shown_;
};

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_PROGRESS_H_
