#ifndef OLDVEK_TESTS_EXPORTS_MESSAGE_BOXES_H_
#define OLDVEK_TESTS_EXPORTS_MESSAGE_BOXES_H_

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace oldvek::testing {

// Answers with OK every message box the library shows while this object lives, and keeps
// each one as "caption: text". On Linux through OldVekSetHost; on Windows a watcher thread
// finds each box on the screen, reads its text and presses its OK button, since a box
// blocks the thread that shows it.
class MessageBoxes {
 public:
  MessageBoxes();
  ~MessageBoxes();
  MessageBoxes(const MessageBoxes&) = delete;
  MessageBoxes& operator=(const MessageBoxes&) = delete;

  std::vector<std::string> shown();
  void Record(std::string box);

 private:
  struct Watcher;

  std::mutex mutex_;
  std::vector<std::string> shown_;
  std::unique_ptr<Watcher> watcher_;
};

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_EXPORTS_MESSAGE_BOXES_H_
