// vek search: every packet scanned once (packets/packet_scan.h) for the snippets that hold
// every term: a header field or the code text, a case-blind substring or a regular expression.
#include <cstdio>
#include <memory>

#include "archive.h"
#include "base/text.h"
#include "command.h"
#include "failure.h"
#include "oldvek_records.h"
#include "packets/packet_scan.h"
#include "progress.h"
#include "regex_text.h"
#include "shown_text.h"
#include "snippet_json.h"
#include "text_encoding.h"

namespace vek {
namespace {

using oldvek::SnippetHeader;

// Where a term is looked for. A plain term's length is bounded as the reader's search
// record bounds it.
struct Field {
  const char* name;
  const oldvek::FieldSpan* header;  // none: the code text
  size_t longest;
};
constexpr Field kFields[] = {
    {"subject", &SnippetHeader::kSubject, sizeof(SearchCriteria::SubjectTerm)},
    {"author", &SnippetHeader::kAuthor, sizeof(SearchCriteria::AuthorTerm)},
    {"origin", &SnippetHeader::kOrigin, sizeof(SearchCriteria::OriginTerm)},
    {"code", nullptr, sizeof(SearchCriteria::CodeTextTerm)},
};

// "{subject,author,origin,code}": the help shows it, and the completions offer its names.
std::string FieldChoices() {
  std::string choices;
  for (const Field& field : kFields) choices += (choices.empty() ? "{" : ",") + std::string(field.name);
  return choices + "}";
}

struct Term {
  const Field* field;
  std::string text;
};

struct SearchOptions {
  std::string folder;
  std::string text;
  std::vector<std::string> packets;
  std::vector<std::string> in;
  bool regex = false;
  bool count = false;
  bool packets_only = false;
  bool json = false;
  bool quiet = false;
};

const Field& FieldNamed(const std::string& name) {
  for (const Field& field : kFields) {
    if (name == field.name) return field;
  }
  UsageFail("--in " + name + ": the field is subject, author, origin or code");
}

// The terms, and the packet names: an --in FIELD=TEXT term stands for TEXT (as grep's -e
// does), so when every --in carries its own text the first name after FOLDER is a packet.
std::vector<Term> Terms(const SearchOptions& options, std::vector<std::string>& packets) {
  std::vector<Term> terms;
  std::vector<const Field*> fields_of_text;
  for (const std::string& in : options.in) {
    const size_t equals = in.find('=');
    if (equals == std::string::npos) {
      fields_of_text.push_back(&FieldNamed(in));
    } else {
      terms.push_back({&FieldNamed(in.substr(0, equals)), in.substr(equals + 1)});
    }
  }
  packets = options.packets;
  if (fields_of_text.empty() && !terms.empty()) {
    if (!options.text.empty()) packets.insert(packets.begin(), options.text);
  } else {
    if (options.text.empty()) UsageFail("TEXT is missing: give it, or give each term as --in FIELD=TEXT");
    if (fields_of_text.empty()) fields_of_text.push_back(&kFields[0]);
    for (const Field* field : fields_of_text) terms.push_back({field, options.text});
  }
  for (Term& term : terms) {
    term.text = ArchiveEncoding().FromTyped(term.text, "the search text");
    if (term.text.empty() || term.text.size() > term.field->longest) {
      UsageFail("the text must be 1 to " + std::to_string(term.field->longest) + " characters");
    }
  }
  return terms;
}

// The tests of the terms and the query that holds them.
class Query {
 public:
  Query(const std::vector<Term>& terms, bool regex) {
    for (const Term& term : terms) {
      if (regex) {
        tests_.push_back(RegexText(term.text, term.field->header != nullptr, ArchiveEncoding()));
      } else {
        // A plain term is matched without its trailing blanks, as the reader's terms are.
        tests_.push_back(std::make_unique<oldvek::CaseBlindText>(oldvek::TrimTrailingBlanks(term.text),
                                                                 ArchiveEncoding().lower_case()));
      }
      if (term.field->header != nullptr) {
        query_.fields.push_back({*term.field->header, tests_.back().get()});
      } else {
        query_.code.push_back(tests_.back().get());
      }
    }
  }
  const oldvek::ScanQuery& query() const { return query_; }

 private:
  std::vector<std::unique_ptr<oldvek::TextTest>> tests_;
  oldvek::ScanQuery query_;
};

int RunSearch(const SearchOptions& options) {
  std::vector<std::string> names;
  const std::vector<Term> terms = Terms(options, names);
  const Query query(terms, options.regex);
  const std::string folder = ExistingFolder(options.folder);
  const std::vector<oldvek::PacketName> packets = ChosenPackets(folder, names);

  uint64_t matches = 0;
  uint64_t left_out = 0;
  std::string first_left_out;
  nlohmann::json found = nlohmann::json::array();
  Progress progress("searching", packets.size(), options.quiet);
  for (const oldvek::PacketName& base : packets) {
    uint64_t in_packet = 0;
    const oldvek::Status scanned =
        oldvek::ScanPacket(Files(), folder, base, query.query(), [&](const oldvek::ScannedSnippet& snippet) {
          ++in_packet;
          if (options.json) {
            found.push_back(SnippetJson(base, snippet.number, snippet.record, snippet.header));
          } else if (!options.count && !options.packets_only) {
            progress.Clear();
            PrintEntry("", snippet.number, snippet.header, base);
          }
          return oldvek::Status::Ok();
        });
    matches += in_packet;
    if (!scanned.ok()) {
      // Left out of --count and -l, as grep leaves out a file it cannot read.
      if (left_out++ == 0) first_left_out = scanned.message();
    } else if (options.count) {
      progress.Clear();
      if (packets.size() > 1) std::printf("%s:", base.text().c_str());
      std::printf("%llu\n", static_cast<unsigned long long>(in_packet));
    } else if (options.packets_only && in_packet > 0) {
      progress.Clear();
      std::printf("%s\n", base.text().c_str());
    }
    progress.Step();
  }

  if (options.json) {
    nlohmann::json all = nlohmann::json::array();
    for (const Term& term : terms) all.push_back({{"in", term.field->name}, {"text", Text(term.text)}});
    PrintJson({{"text", Text(terms[0].text)},
               {"in", terms[0].field->name},
               {"terms", std::move(all)},
               {"regex", options.regex},
               {"matches", std::move(found)}});
  } else if (!options.count && !options.packets_only) {
    std::fprintf(stderr, "%llu match%s\n", static_cast<unsigned long long>(matches), matches == 1 ? "" : "es");
  }
  if (left_out > 0) {
    Fail("the search left out " +
         (left_out == 1 ? std::string("a packet") : oldvek::DecimalText(left_out) + " packets") +
         " that could not be read (" + first_left_out + ")");
  }
  return matches > 0 ? kDone : kNothingFound;
}

}  // namespace

void AddSearchCommand(CLI::App& app) {
  auto options = std::make_shared<SearchOptions>();
  CLI::App* command = app.add_subcommand(
      "search",
      "print the entries of the snippets that hold every term: TEXT in its field, and each --in FIELD=TEXT "
      "(any letter case); exit 1 when none");
  command->add_option("FOLDER", options->folder, "the archive folder")->required();
  command->add_option("TEXT", options->text, "what to look for; left out when every --in carries its own TEXT");
  command->add_option("PACKET", options->packets, "packet names; every packet of FOLDER when none");
  command
      ->add_option("--in", options->in,
                   "FIELD (subject, author, origin or code: the code lines) that TEXT is looked for in, "
                   "subject when none; or FIELD=TEXT, a term of its own. Repeat to require more terms")
      ->allow_extra_args(false)
      ->type_name(FieldChoices() + "[=TEXT]");
  command->add_flag("-E,--regex", options->regex,
                    "every TEXT is a regular expression (RE2), in any letter case unless it starts with (?-i); "
                    "it matches within a code line or a field without its trailing blanks. Letters fold as a plain "
                    "TEXT's do, by the archive's encoding (É finds é)");
  CLI::Option* count = command->add_flag(
      "-c,--count", options->count,
      "print the number of matches of each packet instead: PACKET:N, or N alone when one packet is searched");
  CLI::Option* packets_only = command->add_flag("-l,--files-with-matches", options->packets_only,
                                                "print the names of the packets that have a match instead");
  count->excludes(packets_only);
  AddJson(*command, options->json);
  AddQuiet(*command, options->quiet);
  command->get_option("--json")->excludes(count)->excludes(packets_only);
  SetAction(*command, [options] { return RunSearch(*options); });
}

}  // namespace vek
