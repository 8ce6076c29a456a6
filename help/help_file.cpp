#include "help_file.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace vekhelp {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Hands over `line` without the CR of a CR LF end.
bool VisitLine(std::string& line, const std::function<bool(const std::string&)>& visit) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const bool more = visit(line);
  line.clear();
  return more;
}

}  // namespace

bool HelpFile::ReadLines(const std::function<bool(const std::string& line)>& visit) const {
  // Binary mode: line ends are found here, the same way on every platform.
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path_.c_str(), "rb"));
  if (!file) return false;
  std::string line;
  char buffer[8192];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    const char* next = buffer;
    const char* const end = buffer + got;
    while (next < end) {
      const auto* line_end = static_cast<const char*>(std::memchr(next, '\n', static_cast<size_t>(end - next)));
      if (line_end == nullptr) {
        line.append(next, end);
        break;
      }
      line.append(next, line_end);
      next = line_end + 1;
      if (!VisitLine(line, visit)) return true;
    }
  }
  if (std::ferror(file.get())) return false;
  if (!line.empty()) VisitLine(line, visit);
  return true;
}

}  // namespace vekhelp
