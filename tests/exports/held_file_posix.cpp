#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "held_file.h"

namespace oldvek::testing {

HeldFile::HeldFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return;
  handle_ = fd;
  held_ = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

HeldFile::~HeldFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

}  // namespace oldvek::testing
