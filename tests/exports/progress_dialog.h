#ifndef OLDVEK_TESTS_EXPORTS_PROGRESS_DIALOG_H_
#define OLDVEK_TESTS_EXPORTS_PROGRESS_DIALOG_H_

// The reader's progress dialog during a search, and what the library did to it. On Windows
// it is a real modeless dialog with a static control; on Linux the host callbacks installed
// through OldVekSetHost stand in for it.

#include <cstdint>
#include <string>
#include <vector>

#include "oldvek.h"

namespace oldvek::testing {

class ProgressDialog {
 public:
  static constexpr int32_t kControl = 1042;
  // Messages waiting for the dialog when it is made, for the library's passes to take.
  static constexpr int kQueued = 16;

  struct Record {
    std::vector<std::string> texts;  // every text the progress control was given, in order
    int messages_taken = 0;          // queued messages dispatched (Linux: as if dispatched)
    int cancels = 0;                 // Windows: Escape keys that reached the dialog as IDCANCEL
    bool ended = false;
    std::vector<std::string> boxes;   // Linux: message boxes shown, as "caption: text"
    std::vector<std::string> events;  // Linux: "text <text>", "pass", "one message", "sleep <ms>"
    intptr_t static_proc = 0;         // Windows: the static control's own window procedure
  };

  explicit ProgressDialog(int queued = kQueued);
  ~ProgressDialog();
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;

  HWND handle() const { return dialog_; }
  const Record& record() const { return record_; }

 private:
  HWND dialog_ = nullptr;
  int waiting_ = 0;  // Linux: the queued messages no pass has taken yet
  Record record_;
};

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_EXPORTS_PROGRESS_DIALOG_H_
