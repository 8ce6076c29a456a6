#include <windows.h>

#include "held_file.h"

namespace oldvek::testing {

HeldFile::HeldFile(const std::string& path) {
  const HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  held_ = handle != INVALID_HANDLE_VALUE;
  handle_ = reinterpret_cast<intptr_t>(handle);
}

HeldFile::~HeldFile() {
  if (held_) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace oldvek::testing
