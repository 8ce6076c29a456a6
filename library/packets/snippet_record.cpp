#include "packets/snippet_record.h"

#include <algorithm>

namespace oldvek {
namespace {

// The record's fields are exactly as wide as the header's.
static_assert(SnippetHeader::kAuthor.width == sizeof(SnippetRecord::Author));
static_assert(SnippetHeader::kSubject.width == sizeof(SnippetRecord::Subject));
static_assert(SnippetHeader::kOrigin.width == sizeof(SnippetRecord::Origin));
static_assert(SnippetHeader::kDate.width == sizeof(SnippetRecord::Date));
static_assert(SnippetHeader::kCode.width == sizeof(SnippetRecord::Code));

void CopyField(const SnippetHeader& header, FieldSpan span, char* field) {
  std::copy_n(header.Field(span).data(), span.width, field);
}

}  // namespace

void CopyHeaderFields(const SnippetHeader& header, SnippetRecord& record) {
  CopyField(header, SnippetHeader::kAuthor, record.Author);
  CopyField(header, SnippetHeader::kSubject, record.Subject);
  CopyField(header, SnippetHeader::kOrigin, record.Origin);
  CopyField(header, SnippetHeader::kDate, record.Date);
  CopyField(header, SnippetHeader::kCode, record.Code);
}

}  // namespace oldvek
