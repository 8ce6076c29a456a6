#ifndef OLDVEK_PACKETS_SNIPPET_RECORD_H_
#define OLDVEK_PACKETS_SNIPPET_RECORD_H_

#include "oldvek_records.h"
#include "packets/formats.h"

namespace oldvek {

// Copies Author, Subject, Origin, Date and Code from a snippet header into the caller's
// record, byte for byte; the record's other bytes are left as they are.
void CopyHeaderFields(const SnippetHeader& header, SnippetRecord& record);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_SNIPPET_RECORD_H_
