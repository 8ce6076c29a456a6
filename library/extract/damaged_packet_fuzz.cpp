// A damaged packet: every index record read, every snippet fetched (header, body, kind) and
// extracted, its ZORVIT attachment decoded and as text.
#include <algorithm>
#include <string>
#include <string_view>

#include "extract/snippet_extraction.h"
#include "memory_file_system.h"
#include "packets/formats.h"
#include "packets/index_reader.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_reader.h"

using namespace oldvek;

// The first byte gives the number of index records (modulo 16), the next records * 78 bytes
// are P.IDX and the rest is P.VEK.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t index_size = std::min<size_t>(data[0] % 16 * kIndexRecordSize, size - 1);
  const uint64_t records = RecordCount(index_size);
  fuzzing::MemoryFileSystem file_system;
  file_system.files["P.IDX"] = std::string(input.substr(1, index_size));
  file_system.files["P.VEK"] = std::string(input.substr(1 + index_size));

  Result<std::unique_ptr<File>> index = file_system.Open("P.IDX", {});
  IndexReader reader(**index, records);
  IndexRecord record;
  for (uint64_t number = 1; number <= records; ++number) (void)reader.Read(number, record);
  for (uint64_t number = 1; number <= records + 1; ++number) {
    Result<SnippetInfo> snippet = RetrieveSnippet(file_system, "", *PacketName::Make("P"), RecordPosition(number),
                                                  [](std::string_view) { return Status::Ok(); });
    if (snippet.ok()) {
      (void)SummaryLine1(snippet->header);
      (void)SummaryLine2(snippet->header);
      (void)snippet->tag();
    }
    const std::string entry = "00001~S~A~C~P.VEK~" + std::to_string(RecordPosition(number));
    for (int32_t mode : {kAttachmentMode, kTextMode}) {
      (void)ExtractionMessage(ExtractSnippet(file_system, entry, "", "OUT", mode), "OUT");
    }
  }
  return 0;
}
