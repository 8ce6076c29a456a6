// OldVekCreateCDE: the chosen packets gathered into one code file, with the progress shown in
// the caller's dialog.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "abi/caller_types.h"
#include "abi/export_guard.h"
#include "extract/code_file_writer.h"
#include "oldvek.h"
#include "packets/snippet_entry.h"
#include "platform/ui.h"

namespace oldvek {
namespace {

// The reader's dialog shows each snippet in its progress control and stays responsive: one
// full message pass per snippet and per packet passed over, a quarter second per packet.
class DialogProgress final : public CodeFileProgress {
 public:
  DialogProgress(HWND dialog, int32_t control) : dialog_(dialog), control_(control) {}

  void PacketOpened() override { Ui::Current().Sleep(250); }
  void SnippetWritten(std::string_view text) override {
    Ui::Current().SetControlText(dialog_, control_, text);
    Ui::Current().PumpMessages(dialog_, MessagePass::kAllWaiting);
  }
  void PacketPassedOver() override { Ui::Current().PumpMessages(dialog_, MessagePass::kAllWaiting); }

 private:
  WindowHandle dialog_;
  int32_t control_;
};

// Packet i is chosen when the element with index i - 1 of `selected` holds i; an element the
// array does not have chooses nothing. An entry with no name leaves its packet out; a name
// that names no packet of the folder fails the code file.
Result<std::vector<ChosenPacket>> ChosenPackets(int32_t packet_count, SAFEARRAY* const* selected,
                                                SAFEARRAY* const* packet_list) {
  std::vector<ChosenPacket> chosen;
  const std::optional<abi::Bounds> bounds = abi::BoundsOf(selected);
  if (!bounds || packet_count <= 0) return chosen;
  const long first = std::max(bounds->lower, 0L);
  const long last = std::min(bounds->upper, static_cast<long>(packet_count) - 1);
  for (long index = first; index <= last; ++index) {
    const std::optional<int32_t> value = abi::IntegerAt(selected, index);
    if (!value || *value != index + 1) continue;
    const std::string entry = abi::ElementAt(packet_list, index + 1);
    ChosenPacket& packet = chosen.emplace_back(ChosenPacket{static_cast<uint64_t>(index) + 1});
    if (PacketBaseName(entry).empty()) continue;
    OLDVEK_ASSIGN_OR_RETURN(PacketName base, PacketOfEntry(entry));
    packet.base = std::move(base);
  }
  return chosen;
}

}  // namespace
}  // namespace oldvek

extern "C" OLDVEK_EXPORT void VEKAPI OldVekCreateCDE(HWND dialogHandle, int32_t progressId, int32_t headerNumber,
                                                     int32_t packetCount, SAFEARRAY** selected, BSTR* codeName,
                                                     int32_t* /*ignored*/, SAFEARRAY** packetList, BSTR* folder,
                                                     BSTR* headText1, BSTR* headText2, BSTR* codeDir) noexcept try {
  using namespace oldvek;
  CodeFileRequest request;
  request.path = abi::ToString(codeDir) + abi::ToString(codeName) + ".CDE";
  request.lead_text = abi::ToString(headText1) + abi::ToString(headText2);
  request.header_number = headerNumber;
  request.folder = abi::ToString(folder);
  request.packet_count = packetCount > 0 ? static_cast<uint64_t>(packetCount) : 0;
  Result<std::vector<ChosenPacket>> chosen = ChosenPackets(packetCount, selected, packetList);
  if (!chosen.ok()) {
    ShowError(CodeFileNotWritten(request.path, chosen.status()).message());
    return;
  }
  request.chosen = std::move(*chosen);

  DialogProgress progress(dialogHandle, progressId);
  Result<CodeFileOutcome> outcome = WriteCodeFile(FileSystem::Default(), request, progress);
  if (!outcome.ok()) {
    ShowError(outcome.status().message());
    return;
  }
  if (!outcome->left_out.empty()) {
    std::string text = "The code file " + request.path + " was written without these packets:";
    for (const std::string& line : outcome->left_out) text.append("\r\n").append(line);
    ShowError(text);
  }
} catch (...) {
  oldvek::ReportUncaught("The code file could not be written");
}
