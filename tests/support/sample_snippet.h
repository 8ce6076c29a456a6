#ifndef OLDVEK_TESTS_SUPPORT_SAMPLE_SNIPPET_H_
#define OLDVEK_TESTS_SUPPORT_SAMPLE_SNIPPET_H_

#include <string>
#include <utility>
#include <vector>

#include "packet_writer.h"

namespace oldvek::testing {

// A snippet with every header field filled, for tests that name only what they look at.
inline TestSnippet SampleSnippet(std::string subject, std::vector<std::string> lines = {"PRINT 1"},
                                 std::string author = "Ann Author") {
  TestSnippet s;
  s.author = std::move(author);
  s.subject = std::move(subject);
  s.origin = "Fidonet";
  s.date = "1994-11-05";
  s.code = "QB45";
  s.extra = "E5";
  s.tag = "SORTING  ";
  s.unused_index_bytes = "abcde";
  s.lines = std::move(lines);
  return s;
}

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_SAMPLE_SNIPPET_H_
