#include "encoder/zorvit_file_encoder.h"

#include <algorithm>

#include "encoder/dialect_pages.h"
#include "encoder/page_body.h"
#include "encoder/page_names.h"
#include "encoder/zorvit_encoder.h"
#include "platform/buffered_writer.h"
#include "platform/output_file.h"

namespace oldvek {
namespace {

constexpr OpenOptions kInputOpen{Access::kRead, Share::kShared, Disposition::kOpenExisting};
// Exclusive, so that a page named like the input file is refused before the input is emptied.

class PageEncoding {
 public:
  PageEncoding(const EncodeRequest& request, File& input, std::vector<char>& block)
      : request_(request), input_(input), block_(block) {}

  // Writes page `marks.page` whole into `out`; `next_page_name` is the file it chains to.
  Status Write(BufferedWriter& out, const PageMarks& marks, std::string_view next_page_name);

 private:
  const EncodeRequest& request_;
  File& input_;
  std::vector<char>& block_;
  uint64_t read_offset_ = 0;
};

Status PageEncoding::Write(BufferedWriter& out, const PageMarks& marks, std::string_view next_page_name) {
  const TargetDialect dialect = request_.dialect;
  const bool in_subs = dialect != TargetDialect::kPowerBasic;
  PageBody body(out, in_subs);
  ZorvitPageEncoder encoder(body);

  BeginPage(dialect, out, marks);
  if (in_subs && marks.page > 1) {
    body.OpenSub();
    WriteLine(out, " ");
  } else {
    WriteLine(out, " ");
    if (in_subs) body.OpenSub();
  }

  for (uint64_t left = marks.byte_count; left > 0;) {
    const size_t size = static_cast<size_t>(std::min<uint64_t>(left, block_.size()));
    const std::span<char> piece(block_.data(), size);
    OLDVEK_RETURN_IF_ERROR(input_.ReadAt(read_offset_, piece));
    encoder.Add(std::string_view(piece.data(), piece.size()));
    OLDVEK_RETURN_IF_ERROR(out.status());  // a full disk ends the page now, not at its end
    read_offset_ += size;
    left -= size;
  }
  const uint8_t checksum = encoder.FinishPage();

  if (in_subs) {
    WriteLine(out, "END SUB");
    WriteLine(out, " ");
    if (dialect == TargetDialect::kVisualBasic) {
      WriteLine(out, "SUB MAIN()");
      WriteLine(out, " ");
    }
    WriteLine(out, "OutHndl = 33");
    WriteLine(out, " ");
    WriteLine(out, OutputOpenLine(dialect, request_.input_name, marks.page));
    body.WriteCallList();
  }
  EndPage(dialect, out, marks, checksum, next_page_name);
  return out.Flush();
}

// Writes one page beside its name and finishes it; it is put in place with the others once
// every page is complete. A page named like the input is refused.
Result<OutputFile> WritePageFile(FileSystem& file_system, const std::string& path, const std::string& input_path,
                                 PageEncoding& encoding, const PageMarks& marks, std::string_view next_page_name,
                                 const PageStartedHook& page_started) {
  OLDVEK_ASSIGN_OR_RETURN(OutputFile page, OutputFile::Create(file_system, path, std::span(&input_path, 1)));
  if (page_started) page_started(marks.page, path);
  BufferedWriter out(page.file());
  OLDVEK_RETURN_IF_ERROR(encoding.Write(out, marks, next_page_name));
  OLDVEK_RETURN_IF_ERROR(page.Finish());
  return page;
}

}  // namespace

Result<std::vector<std::string>> EncodeZorvitPages(FileSystem& file_system, const EncodeRequest& request,
                                                   const PageStartedHook& page_started) {
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> input, file_system.Open(request.input_path, kInputOpen));
  OLDVEK_ASSIGN_OR_RETURN(uint64_t size, input->Size());
  const uint64_t input_length = size;

  const uint64_t page_count = PageCount(request.dialect, input_length);
  OLDVEK_ASSIGN_OR_RETURN(std::vector<std::string> names, PageFileNames(request.output_name, page_count));

  std::vector<char> block(static_cast<size_t>(std::min(kPageBytes, input_length)));
  PageEncoding encoding(request, *input, block);
  std::vector<std::string> paths;
  std::vector<OutputFile> pages;  // a failure gives them all up: no set of pages is left half made
  paths.reserve(page_count);
  pages.reserve(page_count);
  for (uint64_t page = 1; page <= page_count; ++page) {
    paths.push_back(request.output_folder + names[page - 1]);
    const PageMarks marks{page, page_count, PageByteCount(request.dialect, input_length, page), request.input_name};
    const std::string_view next_page_name = page < page_count ? std::string_view(names[page]) : std::string_view();
    OLDVEK_ASSIGN_OR_RETURN(OutputFile written, WritePageFile(file_system, paths.back(), request.input_path, encoding,
                                                              marks, next_page_name, page_started));
    pages.push_back(std::move(written));
  }
  for (OutputFile& page : pages) OLDVEK_RETURN_IF_ERROR(page.Commit());
  return paths;  // the input closes here; a read-only handle has nothing left to lose
}

}  // namespace oldvek
