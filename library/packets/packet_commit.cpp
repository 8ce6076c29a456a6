#include "packets/packet_commit.h"

#include <algorithm>
#include <cctype>

#include "base/crc32.h"
#include "base/text.h"
#include "packets/formats.h"
#include "packets/open_packet.h"

namespace oldvek {
namespace {

// A mark is text lines, with each write's bytes raw after its line:
//   OLDVEK COMMIT
//   MOVE T 1A2B3C4D 4           (part of a move; T: this is its source, F: its destination;
//   DEST                         the move's id, and the other packet's name on its own line)
//   PLACE                       (a rebuild)
//   W I 79 78 <78 bytes>        (write 78 bytes at position 79 of the index file)
//   C V 3301                    (cut the packet file to 3301 bytes)
//   SUM 1C291CA3                (CRC-32 of every byte before this line, 8 hex digits)
//   END
// Only a mark that ends with its END line was written whole; a whole mark whose sum or steps
// do not hold was not written by this library, or was damaged since.
constexpr std::string_view kMarkTitle = "OLDVEK COMMIT\n";
constexpr std::string_view kPlaceLine = "PLACE\n";
constexpr std::string_view kMovePrefix = "MOVE ";
constexpr std::string_view kSumPrefix = "SUM ";
constexpr size_t kSumDigits = 8;
constexpr std::string_view kEndLine = "END\n";
// Marks hold a few blocks; anything larger was not written by this library.
constexpr uint64_t kLargestMark = 1 << 16;

// Reads a mark front to back; every read fails on anything unexpected.
class MarkReader {
 public:
  explicit MarkReader(std::string_view bytes) : rest_(bytes) {}

  bool Take(std::string_view expected) {
    if (rest_.substr(0, expected.size()) != expected) return false;
    rest_.remove_prefix(expected.size());
    return true;
  }
  bool AtEnd() const { return rest_.empty(); }
  bool Sees(std::string_view expected) const { return rest_.substr(0, expected.size()) == expected; }
  size_t left() const { return rest_.size(); }

  std::optional<char> Letter() {
    if (rest_.empty()) return std::nullopt;
    const char letter = rest_[0];
    rest_.remove_prefix(1);
    return letter;
  }

  std::optional<uint64_t> Number() {
    size_t digits = 0;
    while (digits < rest_.size() && digits < 19 && rest_[digits] >= '0' && rest_[digits] <= '9') ++digits;
    if (digits == 0) return std::nullopt;
    const uint64_t value = ReadDecimal(rest_.substr(0, digits));
    rest_.remove_prefix(digits);
    return value;
  }

  // A run of letters and digits.
  std::optional<std::string> Word() {
    size_t length = 0;
    while (length < rest_.size() && std::isalnum(static_cast<unsigned char>(rest_[length])) != 0) ++length;
    if (length == 0) return std::nullopt;
    return Bytes(length);
  }

  std::optional<std::string> Bytes(uint64_t count) {
    if (count > rest_.size()) return std::nullopt;
    std::string bytes(rest_.substr(0, count));
    rest_.remove_prefix(count);
    return bytes;
  }

 private:
  std::string_view rest_;
};

std::string SumText(std::string_view bytes) {
  Crc32 crc;
  crc.Add(bytes);
  std::string text = HexText(crc.value());
  text.insert(0, kSumDigits - text.size(), '0');
  return text;
}

std::optional<PacketPart> PartFromLetter(std::optional<char> letter) {
  if (letter == static_cast<char>(PacketPart::kPacket)) return PacketPart::kPacket;
  if (letter == static_cast<char>(PacketPart::kIndex)) return PacketPart::kIndex;
  return std::nullopt;
}

std::optional<Patch> ReadPatch(MarkReader& reader) {
  const std::optional<char> kind = reader.Letter();
  if (!reader.Take(" ")) return std::nullopt;
  const std::optional<PacketPart> part = PartFromLetter(reader.Letter());
  if (!part || !reader.Take(" ")) return std::nullopt;
  const std::optional<uint64_t> value = reader.Number();
  if (!value) return std::nullopt;
  if (kind == static_cast<char>(Patch::Kind::kCut)) {
    if (!reader.Take("\n")) return std::nullopt;
    return Patch::Cut(*part, *value);
  }
  if (kind != static_cast<char>(Patch::Kind::kWrite) || *value == 0 || !reader.Take(" ")) return std::nullopt;
  const std::optional<uint64_t> length = reader.Number();
  if (!length || !reader.Take("\n")) return std::nullopt;
  std::optional<std::string> bytes = reader.Bytes(*length);
  if (!bytes || !reader.Take("\n")) return std::nullopt;
  return Patch::Write(*part, *value, std::move(*bytes));
}

Result<std::string> ReadMark(FileSystem& file_system, const std::string& path) {
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> file,
                          file_system.Open(path, {Access::kRead, Share::kShared, Disposition::kOpenExisting}));
  OLDVEK_ASSIGN_OR_RETURN(uint64_t size, file->Size());
  std::string bytes(std::min(size, kLargestMark + 1), '\0');
  OLDVEK_RETURN_IF_ERROR(file->ReadAt(0, bytes));
  OLDVEK_RETURN_IF_ERROR(file->Close());
  return bytes;
}

// Rebuilt files that no mark claims. A file still held by a rebuild that is running cannot
// be opened exclusively and is left alone; once a rebuild lets go of its files its mark
// exists, so the mark is looked for again after the file is secured.
void DiscardRebuiltFiles(FileSystem& file_system, const PacketFiles& files) {
  for (const std::string* path : {&files.rebuilt_packet, &files.rebuilt_index}) {
    if (!file_system.Exists(*path)) continue;
    Result<std::unique_ptr<File>> held =
        file_system.Open(*path, {Access::kRead, Share::kExclusive, Disposition::kOpenExisting});
    if (!held.ok() || file_system.Exists(files.mark)) continue;
    (void)(*held)->Close();
    // A failure leaves the file to the next operation; a rebuild empties it before use.
    (void)file_system.Remove(*path);
  }
}

// A whole mark that cannot be carried out as it stands goes aside, so that the packet stays
// usable; the failure tells the user once, naming both files.
Status SetAside(FileSystem& file_system, const PacketFiles& files, std::string_view why) {
  OLDVEK_RETURN_IF_ERROR(file_system.Replace(files.mark, files.set_aside));
  return Status::Error(files.mark + " " + std::string(why) + "; it was moved to " + files.set_aside + " and " +
                       files.packet + " was left as it is");
}

Status CarryOut(FileSystem& file_system, const PacketFiles& files, const Commit& commit) {
  if (commit.patches.empty()) {
    const std::string fault = CommitFault(commit, 0, 0);
    if (!fault.empty())
      return SetAside(file_system, files, "asks for work that does not fit the packet (" + fault + ")");
    return commit.place_rebuilt ? PlaceRebuiltFiles(file_system, files) : Status::Ok();
  }
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket open, OpenPacket::Open(file_system, files, PacketOpen::kRebuild));
  const std::string fault = CommitFault(commit, open.packet_length, open.index_length);
  if (!fault.empty()) {
    OLDVEK_RETURN_IF_ERROR(open.Close());
    return SetAside(file_system, files, "asks for work that does not fit the packet (" + fault + ")");
  }
  OLDVEK_RETURN_IF_ERROR(ApplyPatches(commit.patches, *open.packet, *open.index));
  OLDVEK_RETURN_IF_ERROR(open.packet->Sync());
  OLDVEK_RETURN_IF_ERROR(open.index->Sync());
  return open.Close();
}

// The whole mark of a packet, when it has one.
std::optional<Commit> ReadWholeMark(FileSystem& file_system, const PacketFiles& files) {
  if (!file_system.Exists(files.mark)) return std::nullopt;
  Result<std::string> bytes = ReadMark(file_system, files.mark);
  return bytes.ok() ? DecodeCommit(*bytes) : std::nullopt;
}

// True when the other packet of a move still holds the other half of `link`, the link in the
// mark of `base`.
bool LinkedMarkStands(FileSystem& file_system, std::string_view folder, const PacketName& base, const MoveLink& link) {
  const Result<PacketName> other_name = PacketName::Make(link.other);
  if (!other_name.ok()) return false;
  const std::optional<Commit> other = ReadWholeMark(file_system, PacketFiles(folder, *other_name));
  return other && other->move && other->move->id == link.id && other->move->other == base.text() &&
         other->move->side != link.side;
}

}  // namespace

std::string EncodeCommit(const Commit& commit) {
  std::string bytes(kMarkTitle);
  if (commit.move) {
    bytes.append(kMovePrefix).append(1, static_cast<char>(commit.move->side)).append(1, ' ');
    bytes.append(commit.move->id).append(1, ' ').append(DecimalText(commit.move->other.size())).append(1, '\n');
    bytes.append(commit.move->other).append(1, '\n');
  }
  if (commit.place_rebuilt) bytes += kPlaceLine;
  for (const Patch& patch : commit.patches) {
    bytes += static_cast<char>(patch.kind);
    bytes += ' ';
    bytes += static_cast<char>(patch.part);
    bytes += ' ';
    bytes += DecimalText(patch.value);
    if (patch.kind == Patch::Kind::kWrite) {
      bytes += ' ';
      bytes += DecimalText(patch.bytes.size());
      bytes += '\n';
      bytes += patch.bytes;
    }
    bytes += '\n';
  }
  const std::string sum = SumText(bytes);
  bytes.append(kSumPrefix).append(sum).append(1, '\n').append(kEndLine);
  return bytes;
}

std::optional<Commit> DecodeCommit(std::string_view bytes) {
  MarkReader reader(bytes);
  if (!reader.Take(kMarkTitle)) return std::nullopt;
  Commit commit;
  if (reader.Take(kMovePrefix)) {
    const std::optional<char> side = reader.Letter();
    if (side != static_cast<char>(MoveLink::Side::kSource) && side != static_cast<char>(MoveLink::Side::kDestination)) {
      return std::nullopt;
    }
    std::optional<std::string> id = reader.Take(" ") ? reader.Word() : std::nullopt;
    const std::optional<uint64_t> length = id && reader.Take(" ") ? reader.Number() : std::nullopt;
    std::optional<std::string> other = length && reader.Take("\n") ? reader.Bytes(*length) : std::nullopt;
    if (!other || !reader.Take("\n")) return std::nullopt;
    commit.move = MoveLink{static_cast<MoveLink::Side>(*side), std::move(*id), std::move(*other)};
  }
  commit.place_rebuilt = reader.Take(kPlaceLine);
  while (!reader.Sees(kSumPrefix)) {
    if (reader.AtEnd()) return std::nullopt;
    std::optional<Patch> patch = ReadPatch(reader);
    if (!patch) return std::nullopt;
    commit.patches.push_back(std::move(*patch));
  }
  const std::string_view summed = bytes.substr(0, bytes.size() - reader.left());
  if (!reader.Take(kSumPrefix) || !reader.Take(SumText(summed)) || !reader.Take("\n") || !reader.Take(kEndLine) ||
      !reader.AtEnd()) {
    return std::nullopt;
  }
  return commit;
}

std::string CommitFault(const Commit& commit, uint64_t packet_length, uint64_t index_length) {
  if (commit.place_rebuilt && !commit.patches.empty()) return "a rebuild mixed with writes";
  if (commit.move && !PacketName::Make(commit.move->other).ok()) return "a move linked to no packet of the folder";
  if (commit.move && (commit.move->side == MoveLink::Side::kSource) != commit.place_rebuilt) {
    return "a move whose source is not rebuilt, or whose destination is";
  }
  for (const Patch& patch : commit.patches) {
    uint64_t& length = patch.part == PacketPart::kPacket ? packet_length : index_length;
    const std::string step = std::string(1, static_cast<char>(patch.kind)) + " " +
                             std::string(1, static_cast<char>(patch.part)) + " " + DecimalText(patch.value);
    if (patch.kind == Patch::Kind::kCut) {
      if (patch.value > length) return step + ": a cut that would lengthen the file";
      length = patch.value;
    } else {
      if (patch.value > length + 1) return step + ": a write past the end of the file";
      length = std::max(length, patch.value - 1 + patch.bytes.size());
    }
  }
  return {};
}

Status ApplyPatches(std::span<const Patch> patches, File& packet, File& index) {
  for (const Patch& patch : patches) {
    File& file = patch.part == PacketPart::kPacket ? packet : index;
    if (patch.kind == Patch::Kind::kWrite) {
      OLDVEK_RETURN_IF_ERROR(WriteAtPosition(file, patch.value, patch.bytes));
    } else {
      OLDVEK_RETURN_IF_ERROR(file.Truncate(patch.value));
    }
  }
  return Status::Ok();
}

Status PlaceRebuiltFiles(FileSystem& file_system, const PacketFiles& files) {
  // The packet file is placed first: a rebuilt packet file without its index beside it means
  // the index was lost, and placing the packet file alone would pair it with the old index.
  if (file_system.Exists(files.rebuilt_packet) && !file_system.Exists(files.rebuilt_index)) {
    return Status::Error("cannot place " + files.rebuilt_packet + ": " + files.rebuilt_index + " is missing");
  }
  if (file_system.Exists(files.rebuilt_packet)) {
    OLDVEK_RETURN_IF_ERROR(file_system.Replace(files.rebuilt_packet, files.packet));
  }
  if (file_system.Exists(files.rebuilt_index)) {
    OLDVEK_RETURN_IF_ERROR(file_system.Replace(files.rebuilt_index, files.index));
  }
  return Status::Ok();
}

Result<CommitMark> CommitMark::Write(FileSystem& file_system, const PacketFiles& files, const Commit& commit) {
  OLDVEK_ASSIGN_OR_RETURN(
      std::unique_ptr<File> file,
      file_system.Open(files.mark, {Access::kReadWrite, Share::kExclusive, Disposition::kCreateOrTruncate}));
  CommitMark mark(file_system, files.mark, std::move(file));
  Status written = mark.file_->Append(EncodeCommit(commit));
  if (written.ok()) written = mark.file_->Sync();
  // The mark's name must survive a power cut too, or its work would outlive it.
  if (written.ok()) written = file_system.FlushFolderOf(files.mark);
  if (!written.ok()) {
    // Not committed: its work has not begun. Should the removal fail too, what is left is
    // either cut short (discarded by the next settle) or whole (carried out by it).
    (void)mark.Remove();
    return written;
  }
  return mark;
}

std::optional<PacketName> PacketToSettleFirst(FileSystem& file_system, std::string_view folder,
                                              const PacketName& base) {
  const std::optional<Commit> commit = ReadWholeMark(file_system, PacketFiles(folder, base));
  if (!commit || !commit->move || commit->move->side != MoveLink::Side::kSource ||
      !LinkedMarkStands(file_system, folder, base, *commit->move)) {
    return std::nullopt;
  }
  return *PacketName::Make(commit->move->other);  // LinkedMarkStands made it once already
}

CommitMark::~CommitMark() { Leave(); }

void CommitMark::Leave() {
  if (file_ != nullptr) (void)file_->Close();
  file_.reset();
}

Status CommitMark::Remove() {
  // Windows deletes no file that is open, so the mark is let go of first.
  if (file_ != nullptr) {
    const Status closed = file_->Close();
    file_.reset();
    OLDVEK_RETURN_IF_ERROR(closed);
  }
  return file_system_->Remove(path_);
}

Status SettlePacket(FileSystem& file_system, std::string_view folder, const PacketName& base) {
  const PacketFiles files(folder, base);
  if (!file_system.Exists(files.mark)) {
    DiscardRebuiltFiles(file_system, files);
    return Status::Ok();
  }
  OLDVEK_ASSIGN_OR_RETURN(std::string bytes, ReadMark(file_system, files.mark));
  const std::optional<Commit> commit = DecodeCommit(bytes);
  if (commit && commit->move && LinkedMarkStands(file_system, folder, base, *commit->move)) {
    // A move that reached its commit point: the destination keeps its append; the source's
    // mark waits until the destination's is gone.
    if (commit->move->side == MoveLink::Side::kSource) {
      return Status::Error(PacketFileName(folder, commit->move->other, PacketFileKind::kPacket) +
                           " must be settled before " + files.packet);
    }
  } else if (commit) {
    OLDVEK_RETURN_IF_ERROR(CarryOut(file_system, files, *commit));
  } else if (bytes.ends_with(kEndLine)) {
    return SetAside(file_system, files, "is damaged");
  }
  OLDVEK_RETURN_IF_ERROR(file_system.Remove(files.mark));
  if (!commit) DiscardRebuiltFiles(file_system, files);
  return Status::Ok();
}

}  // namespace oldvek
