// Extraction of every snippet of a damaged packet, its ZORVIT attachment decoded and as text.
#include <string>

#include "extract/snippet_extraction.h"
#include "packet_input.h"
#include "packets/snippet_entry.h"

using namespace oldvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::MemoryFileSystem file_system;
  const uint64_t records = fuzzing::PutPacket(file_system, {reinterpret_cast<const char*>(data), size});
  for (uint64_t number = 1; number <= records; ++number) {
    const std::string entry = "00001~S~A~C~P.VEK~" + std::to_string(RecordPosition(number));
    for (int32_t mode : {kAttachmentMode, kTextMode}) {
      (void)ExtractionMessage(ExtractSnippet(file_system, entry, "", "OUT", mode), "OUT");
    }
  }
  return 0;
}
