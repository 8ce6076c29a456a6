#ifndef OLDVEK_ABI_STRING_LIST_BUILDER_H_
#define OLDVEK_ABI_STRING_LIST_BUILDER_H_

#include <string_view>

#include "oldvek_oleaut.h"

namespace oldvek::abi {

// A caller string array built one element at a time, for lists whose length is known only at
// the end: each element is stored once, straight into the array, which grows by doubling and
// is trimmed to its elements when it is handed over. Whatever is not handed over is freed.
class StringListBuilder {
 public:
  StringListBuilder() = default;
  ~StringListBuilder();
  StringListBuilder(const StringListBuilder&) = delete;
  StringListBuilder& operator=(const StringListBuilder&) = delete;

  // Appends an element; false when memory runs out or the list is as long as an array can be.
  bool Add(std::string_view bytes);
  // Replaces element `index` (1 to size()).
  bool Set(long index, std::string_view bytes);
  long size() const { return size_; }

  // Erases the caller's array and gives it the elements, bounds 1 to size(); with no
  // elements it stays erased. On false the caller's array is left as it was.
  bool HandOver(SAFEARRAY** target);

 private:
  bool Grow();
  // Stores a fresh string in slot `index`, freeing the one it replaces.
  bool Place(long index, std::string_view bytes);

  SAFEARRAY* array_ = nullptr;
  long size_ = 0;
  long capacity_ = 0;
};

}  // namespace oldvek::abi

#endif  // OLDVEK_ABI_STRING_LIST_BUILDER_H_
