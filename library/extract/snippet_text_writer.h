#ifndef OLDVEK_EXTRACT_SNIPPET_TEXT_WRITER_H_
#define OLDVEK_EXTRACT_SNIPPET_TEXT_WRITER_H_

// A snippet written out as a text file: a five-line comment block made from its header, then
// each code line byte for byte. Every line ends with CR LF.
//   '===============================================================================
//   'Author: <Author, 31 bytes>Date: <Date, 23 bytes>
//   'SubJect: <Subject, 31 bytes>Code: <Code, 23 bytes>
//   'Origin: <Origin, 31 bytes>Packet: BASE.VEK
//   '===============================================================================

#include <string_view>

#include "packets/formats.h"
#include "platform/buffered_writer.h"

namespace oldvek {

// Header fields go in at their full stored width, trailing blanks included.
void WriteCommentBlock(BufferedWriter& out, const SnippetHeader& header, std::string_view packet_file);

}  // namespace oldvek

#endif  // OLDVEK_EXTRACT_SNIPPET_TEXT_WRITER_H_
