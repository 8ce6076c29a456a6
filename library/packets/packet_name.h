#ifndef OLDVEK_PACKETS_PACKET_NAME_H_
#define OLDVEK_PACKETS_PACKET_NAME_H_

#include <compare>
#include <string>
#include <string_view>

#include "base/status.h"

namespace oldvek {

// The base name of a packet of the archive folder ("SORTS" for SORTS.VEK and SORTS.IDX). Only
// Make builds one, so every operation that takes a PacketName works on a name checked once.
class PacketName {
 public:
  // Refuses a name that is empty or holds "\\", "/", ":" or "..", which would reach another
  // folder, a drive or the hidden files ".VEK" and ".IDX"; "~", which ends a packet's name in
  // the caller's lists and would point them at another packet; and NUL or another control
  // character, where a file name would be cut short or not made at all.
  static Result<PacketName> Make(std::string_view text);

  const std::string& text() const { return text_; }
  // A name reads as its text wherever it is shown or joined into a file name.
  operator std::string_view() const { return text_; }  // NOLINT: implicit by design

  auto operator<=>(const PacketName&) const = default;

 private:
  explicit PacketName(std::string text) : text_(std::move(text)) {}

  std::string text_;
};

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_PACKET_NAME_H_
