#ifndef OLDVEK_PLATFORM_POSIX_HOST_H_
#define OLDVEK_PLATFORM_POSIX_HOST_H_

#include "oldvek_host.h"

namespace oldvek {

// Linux only: installs the host's callbacks (copied); nullptr restores the defaults.
void SetPosixHost(const OldVekHost* host);

// The callbacks installed now; members the host left NULL are NULL here.
const OldVekHost& PosixHost();

}  // namespace oldvek

#endif  // OLDVEK_PLATFORM_POSIX_HOST_H_
