#include "platform/ui.h"

namespace oldvek {

void ShowError(std::string_view text) { Ui::Current().ShowMessageBox(text, kLibraryCaption, kOkOnly); }

}  // namespace oldvek
