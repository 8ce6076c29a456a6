#include <cstdio>

#include "archive.h"
#include "command.h"
#include "extract/code_file_writer.h"
#include "failure.h"
#include "output_file.h"
#include "packets/packet_lock.h"
#include "progress.h"

namespace vek {
namespace {

struct CdeOptions {
  std::string folder;
  std::string out;
  std::vector<std::string> packets;
  std::string lead;
  std::string header = "1";
  bool keep_unread = false;
  bool force = false;
  bool quiet = false;
};

class Steps final : public oldvek::CodeFileProgress {
 public:
  explicit Steps(Progress& progress) : progress_(progress) {}
  void PacketOpened() override { progress_.Step(); }

 private:
  Progress& progress_;
};

int RunCde(const CdeOptions& options) {
  oldvek::CodeFileRequest request;
  request.folder = ExistingFolder(options.folder);
  request.header_number = static_cast<int32_t>(StrictNumber(options.header, "--header", 0, 2147483647));
  std::vector<std::string> inputs;
  for (const std::string& name : options.packets) {
    const oldvek::PacketName base = ExistingPacket(request.folder, name);
    request.chosen.push_back({request.chosen.size() + 1, base});
    for (std::string& file : oldvek::PacketFileNames(request.folder, base)) inputs.push_back(std::move(file));
  }
  request.packet_count = request.chosen.size();
  request.lead_text = options.lead;
  request.mark_read = options.keep_unread ? oldvek::MarkRead::kNo : oldvek::MarkRead::kYes;
  OutputFile output(options.out, options.force, inputs);
  request.path = output.scratch();
  Progress progress("code file", request.packet_count, options.quiet);
  Steps steps(progress);
  const oldvek::CodeFileOutcome outcome = Must(oldvek::WriteCodeFile(Files(), request, steps));
  progress.Clear();
  for (const std::string& line : outcome.left_out) std::fprintf(stderr, "vek: left out %s\n", line.c_str());
  if (!outcome.left_out.empty()) Fail("the code file would be incomplete; nothing written to " + options.out);
  output.Commit();
  if (!outcome.cut_short.empty()) {
    for (const std::string& snippet : outcome.cut_short)
      std::fprintf(stderr, "vek: %s: %s\n", snippet.c_str(), kCutShort);
    Fail(options.out + " holds what could be read; " + std::to_string(outcome.cut_short.size()) + " snippet" +
         (outcome.cut_short.size() == 1 ? " is" : "s are") + " cut short");
  }
  return kDone;
}

}  // namespace

void AddCdeCommand(CLI::App& app) {
  auto options = std::make_shared<CdeOptions>();
  CLI::App* command = app.add_subcommand("cde", "gather every snippet of the packets into one code file");
  command->add_option("FOLDER", options->folder, "the archive folder")->required();
  command->add_option("OUT", options->out, "the code file (.CDE); - writes standard output")->required();
  command->add_option("PACKET", options->packets, "the packets, in order")->required();
  command->add_option("--lead", options->lead, "text written first, as it is");
  command->add_option("--header", options->header, "the code file's header number")->capture_default_str();
  command->add_flag("--keep-unread", options->keep_unread, "leave the read marks as they are");
  AddForce(*command, options->force);
  AddQuiet(*command, options->quiet);
  SetAction(*command, [options] { return RunCde(*options); });
}

}  // namespace vek
