#include <unistd.h>

#include <clocale>

#include "archive.h"
#include "base/text.h"
#include "browse/browse_command.h"
#include "browse/browser.h"
#include "browse/curses_browser_posix.h"
#include "browse/folder_archive.h"
#include "failure.h"

namespace vek {

int RunBrowse(const BrowseOptions& options) {
  // Without a terminal no key could ever be read: say so rather than wait.
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    UsageFail("browse needs a terminal on its input and output; vek list, show and search work without one");
  }
  const std::string folder = ExistingFolder(options.folder);
  FolderArchive archive(folder, options.mark_read);
  if (archive.packets().empty()) Fail("no packets (.IDX files) in " + folder);
  Browser browser(archive);
  if (!options.packet.empty()) {
    const oldvek::PacketName base = ExistingPacket(folder, options.packet);
    for (size_t packet = 0; packet < archive.packets().size(); ++packet) {
      if (oldvek::EqualsIgnoringAsciiCase(archive.packets()[packet].name, base)) browser.OpenPacket(packet);
    }
  }
  std::setlocale(LC_ALL, "");
  const std::unique_ptr<CursesBrowser> screen = CursesBrowser::Open();
  if (!screen) UsageFail("browse cannot use this terminal (is TERM set?)");
  do {
    screen->Draw(browser);
  } while (screen->Read(browser));
  return kDone;
}

}  // namespace vek
