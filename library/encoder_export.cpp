// EncodeZorvit: a file as self-extracting BASIC source, with the library's own dialog.
#include <cstring>
#include <string>

#include "abi/caller_types.h"
#include "abi/export_guard.h"
#include "base/text.h"
#include "encoder/encoder_driver.h"
#include "oldvek.h"
#include "packets/search_criteria.h"
#include "platform/encoder_dialog.h"
#include "platform/ui.h"

namespace oldvek {
namespace {

// The reader finds the dialog's choices in the process's SearchCriteria, where they stay after
// the call: options 1500, 1501 and 1502 in the switch words at offsets 4, 0 and 12, the button
// pressed last at offset 20, the edit box's text in the 256 bytes at offset 176.
void KeepChoices(const EncoderChoices& choices, SearchCriteria& criteria) {
  if (choices.finished) {
    criteria.AuthorSwitch = choices.checked[0] ? 1 : 0;
    criteria.SubjectSwitch = choices.checked[1] ? 1 : 0;
    criteria.PacketSwitch = choices.checked[2] ? 1 : 0;
    const std::string text = PadRight(choices.name, sizeof criteria.CodeTextTerm);
    std::memcpy(criteria.CodeTextTerm, text.data(), sizeof criteria.CodeTextTerm);
  }
  criteria.Criterion4Switch = choices.button;
}

}  // namespace
}  // namespace oldvek

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
  EncoderChoices choices;
  EncoderOutcome outcome = RunZorvitEncoder(FileSystem::Default(), screen, choices, call);
  KeepChoices(choices, ProcessSearchCriteria());
  if (outcome.status > 0 && !abi::StoreList(pageFiles, outcome.page_files)) {
    ShowError("The pages were written, but there is no memory for the list of their names");
    outcome.status = -1;
  }
  result = outcome.status;
} catch (...) {
  if (status != nullptr) *status = -1;
  oldvek::ReportUncaught("The file could not be encoded");
}
