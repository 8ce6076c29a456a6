#ifndef OLDVEK_ENCODER_TARGET_DIALECT_H_
#define OLDVEK_ENCODER_TARGET_DIALECT_H_

namespace oldvek {

// The BASIC dialect a file is encoded for, numbered as the encoder's dialog numbers its options.
enum class TargetDialect : int {
  kPowerBasic = 1,   // PBCC/PBWIN: one page, data lines straight in PBMAIN
  kVisualBasic = 2,  // one page, data lines in SUBs V0, V1, ...
  kQuickBasic = 3,   // QBasic/QB/PDS: pages of 156000 bytes that chain to each other
};

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_TARGET_DIALECT_H_
