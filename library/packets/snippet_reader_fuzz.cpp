// Index records, snippet headers and bodies of a damaged packet: every record is fetched.
#include <string_view>

#include "packet_input.h"
#include "packets/index_reader.h"
#include "packets/snippet_reader.h"

using namespace oldvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::MemoryFileSystem file_system;
  const uint64_t records = fuzzing::PutPacket(file_system, {reinterpret_cast<const char*>(data), size});
  for (uint64_t number = 1; number <= records + 1; ++number) {
    Result<SnippetInfo> snippet = RetrieveSnippet(file_system, "", "P", RecordPosition(number),
                                                  [](std::string_view) { return Status::Ok(); });
    if (!snippet.ok()) continue;
    (void)SummaryLine1(snippet->header);
    (void)SummaryLine2(snippet->header);
    (void)snippet->tag();
  }
  Result<std::unique_ptr<File>> index = file_system.Open("P.IDX", {});
  IndexReader reader(**index, records);
  IndexRecord record;
  for (uint64_t number = 1; number <= records; ++number) (void)reader.Read(number, record);
  return 0;
}
