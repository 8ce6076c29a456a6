#ifndef OLDVEK_TOOLS_VEK_SCRATCH_FILE_SYSTEM_H_
#define OLDVEK_TOOLS_VEK_SCRATCH_FILE_SYSTEM_H_

#include "platform/file.h"

namespace vek {

// The file system of vek's scratch folders. What the core writes there is read back or
// renamed into place by vek, as its other outputs are (atomically, without a flush, like
// cp), so nothing goes to the disk on the way: a file's Sync does nothing and a rename does
// not flush its folder. Encoding 400 pages would otherwise wait for 800 flushes.
oldvek::FileSystem& ScratchFiles();

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_SCRATCH_FILE_SYSTEM_H_
