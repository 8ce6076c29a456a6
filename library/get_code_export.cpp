// OldGetCode: one snippet's summary lines, code lines, Tag and header fields for the caller.
#include <cstdint>

#include "abi/caller_types.h"
#include "abi/export_guard.h"
#include "abi/string_list_builder.h"
#include "oldvek.h"
#include "packets/snippet_reader.h"
#include "packets/snippet_record.h"

extern "C" OLDVEK_EXPORT void VEKAPI OldGetCode(BSTR* packet, BSTR* folder, SAFEARRAY** lines, int32_t* /*reserved*/,
                                                BSTR* tag, int32_t* count, int32_t* recordPosition,
                                                SnippetRecord* snippet) noexcept try {
  using namespace oldvek;
  // The caller's packet argument may carry more after the name; only here is it cut at a space.
  const std::string packet_text = abi::ToString(packet);
  const Result<PacketName> base = PacketName::Make(std::string_view(packet_text).substr(0, packet_text.find(' ')));
  const uint64_t position =
      recordPosition != nullptr && *recordPosition > 0 ? static_cast<uint64_t>(*recordPosition) : 0;

  // The lines go straight into a fresh array; the caller's array, Tag and record change only
  // once the whole snippet has been read.
  abi::StringListBuilder list;
  if (!list.Add({}) || !list.Add({})) {  // the summary lines' places, filled once the header is known
    if (count != nullptr) *count = 0;
    return;
  }
  const auto add = [&list](std::string_view line) {
    return list.Add(line) ? Status::Ok() : Status::Error("no room for the snippet's lines");
  };
  Result<SnippetInfo> info =
      base.ok() ? RetrieveSnippet(FileSystem::Default(), abi::ToString(folder), *base, position, add) : base.status();
  const long elements = list.size();
  const bool stored = info.ok() && list.Set(1, SummaryLine1(info->header)) && list.Set(2, SummaryLine2(info->header)) &&
                      list.HandOver(lines);
  if (count != nullptr) *count = stored ? static_cast<int32_t>(elements) : 0;
  if (!stored) return;
  abi::Assign(tag, info->tag());
  if (snippet != nullptr) {
    CopyHeaderFields(info->header, *snippet);
    snippet->Kind = static_cast<uint8_t>(info->kind);
  }
} catch (...) {
  if (count != nullptr) *count = 0;
  oldvek::ReportUncaught("The snippet could not be fetched");
}
