// OldExtractCode: a snippet's attachment decoded, or its code written as text, into the
// caller's file; the outcome in a message box.
#include <cstdint>

#include "abi/caller_types.h"
#include "abi/export_guard.h"
#include "extract/snippet_extraction.h"
#include "oldvek.h"
#include "platform/ui.h"

extern "C" OLDVEK_EXPORT void VEKAPI OldExtractCode(BSTR* entry, BSTR* folder, BSTR* outFile, int32_t* mode) noexcept
    try {
  using namespace oldvek;
  const std::string out_path = abi::ToString(outFile);
  const Result<ExtractionOutcome> outcome = ExtractSnippet(
      FileSystem::Default(), abi::ToString(entry), abi::ToString(folder), out_path, mode != nullptr ? *mode : 0);
  Ui::Current().ShowMessageBox(ExtractionMessage(outcome, out_path), kLibraryCaption, kOkOnly);
} catch (...) {
  oldvek::ReportUncaught("Nothing could be extracted");
}
