// EncodeZorvit: a file as self-extracting BASIC source, with the library's own dialog.
#include "abi/caller_types.h"
#include "encoder/encoder_driver.h"
#include "export_guard.h"
#include "oldvek.h"
#include "packets/search_criteria.h"
#include "platform/encoder_dialog.h"
#include "platform/ui.h"

extern "C" OLDVEK_EXPORT void VEKAPI EncodeZorvit(BSTR* inputPath, BSTR* suggestedPath, SAFEARRAY** pageFiles,
                                                  int32_t* status, HWND parentWindow) noexcept try {
  using namespace oldvek;
  int32_t spare_status = 0;
  int32_t& result = status != nullptr ? *status : spare_status;
  result = 0;

  EncoderCall call;
  call.input_path = abi::ToString(inputPath);
  call.suggested_path = abi::ToString(suggestedPath);
  call.parent = parentWindow;
  const EncoderScreen screen{Ui::Current(), &ShowEncoderDialog};
  EncoderOutcome outcome = RunZorvitEncoder(FileSystem::Default(), screen, ProcessSearchCriteria(), call);
  if (outcome.status > 0 && !abi::StoreList(pageFiles, outcome.page_files)) {
    ShowError("The pages were written, but there is no memory for the list of their names");
    outcome.status = -1;
  }
  result = outcome.status;
} catch (...) {
  if (status != nullptr) *status = -1;
  oldvek::ReportUncaught("The file could not be encoded");
}
