#ifndef OLDVEK_ABI_SNIPPET_RECORD_H_
#define OLDVEK_ABI_SNIPPET_RECORD_H_

#include "oldvek.h"
#include "packets/formats.h"

namespace oldvek::abi {

// Copies the header's Author, Subject, Origin, Date and Code into the caller's record at their
// full widths; the record's other bytes stay as they are.
void CopyHeaderFields(const SnippetHeader& header, SnippetRecord& record);

}  // namespace oldvek::abi

#endif  // OLDVEK_ABI_SNIPPET_RECORD_H_
