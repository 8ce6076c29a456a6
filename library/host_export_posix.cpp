#include "oldvek.h"
#include "platform/posix_host.h"

extern "C" void OldVekSetHost(const OldVekHost* host) { oldvek::SetPosixHost(host); }
