// vek: lists, shows, searches, edits, encodes and extracts packets from a terminal.
#include <cstdio>

#include "command.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // Files read from standard input and written to standard output travel byte for byte,
  // and printed lines end in LF as they do on Linux.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return vek::Run(argc, argv);
}
