#ifndef OLDVEK_TESTS_EXPORTS_HELD_FILE_H_
#define OLDVEK_TESTS_EXPORTS_HELD_FILE_H_

#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace oldvek::testing {

// Holds a file open from a second handle that shares nothing (Windows: CreateFileA with
// share mode 0; Linux: an exclusive flock, as the library's own exclusive opens take).
class HeldFile {
 public:
#if defined(_WIN32)
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr)),
        held_(handle_ != INVALID_HANDLE_VALUE) {}
  ~HeldFile() {
    if (held_) CloseHandle(handle_);
  }
#else
  explicit HeldFile(const std::string& path)
      : handle_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)),
        held_(handle_ >= 0 && ::flock(handle_, LOCK_EX | LOCK_NB) == 0) {}
  ~HeldFile() {
    if (handle_ >= 0) ::close(handle_);
  }
#endif
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool held() const { return held_; }

 private:
#if defined(_WIN32)
  HANDLE handle_;
#else
  int handle_;
#endif
  bool held_;
};

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_EXPORTS_HELD_FILE_H_
