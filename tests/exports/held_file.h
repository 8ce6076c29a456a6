#ifndef OLDVEK_TESTS_EXPORTS_HELD_FILE_H_
#define OLDVEK_TESTS_EXPORTS_HELD_FILE_H_

#include <cstdint>
#include <string>

namespace oldvek::testing {

// Holds a file open from a second handle that shares nothing (Windows: CreateFileA with
// share mode 0; Linux: an exclusive flock, as the library's own exclusive opens take).
class HeldFile {
 public:
  explicit HeldFile(const std::string& path);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool held() const { return held_; }

 private:
  intptr_t handle_ = -1;
  bool held_ = false;
};

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_EXPORTS_HELD_FILE_H_
