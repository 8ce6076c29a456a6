// ZORVIT text cut anywhere decodes as it does whole.
#include <cstdlib>
#include <string>
#include <string_view>

#include "encoder/zorvit_decoder.h"

using namespace oldvek;

// The first byte says where the text is cut; the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  ZorvitDecoder whole;
  ZorvitDecoder cut;
  std::string whole_bytes;
  std::string cut_bytes;
  whole.Feed(text, whole_bytes);
  const size_t at = data[0] % (text.size() + 1);
  cut.Feed(text.substr(0, at), cut_bytes);
  cut.Feed(text.substr(at), cut_bytes);
  if (whole_bytes != cut_bytes || whole.checksum() != cut.checksum() || whole.byte_count() != whole_bytes.size() ||
      cut.byte_count() != whole.byte_count()) {
    abort();
  }
  return 0;
}
