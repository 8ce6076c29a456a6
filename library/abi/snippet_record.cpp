#include "abi/snippet_record.h"

#include <algorithm>

namespace oldvek::abi {
namespace {

template <FieldSpan kField, size_t kWidth>
void CopyField(const SnippetHeader& header, char (&target)[kWidth]) {
  static_assert(kField.width == kWidth, "a record field is as wide as its header field");
  std::copy_n(header.Field(kField).data(), kWidth, target);
}

}  // namespace

void CopyHeaderFields(const SnippetHeader& header, SnippetRecord& record) {
  CopyField<SnippetHeader::kAuthor>(header, record.Author);
  CopyField<SnippetHeader::kSubject>(header, record.Subject);
  CopyField<SnippetHeader::kOrigin>(header, record.Origin);
  CopyField<SnippetHeader::kDate>(header, record.Date);
  CopyField<SnippetHeader::kCode>(header, record.Code);
}

}  // namespace oldvek::abi
