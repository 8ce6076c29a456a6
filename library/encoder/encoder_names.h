#ifndef OLDVEK_ENCODER_ENCODER_NAMES_H_
#define OLDVEK_ENCODER_ENCODER_NAMES_H_

// The names the encoder's dialog starts from and the output name it ends with. Paths are
// split at "\" and at "/", both of which Windows takes as a separator.

#include <string>
#include <string_view>

namespace oldvek {

struct EncoderPaths {
  std::string input_name;     // the input path's last component
  std::string default_name;   // the suggested path's last component
  std::string output_folder;  // where the pages go, with its separator, or empty
};

// The output folder is the suggested path's folder when it has one, otherwise the input
// file's (cut at the input path's last separator, so a name that also stands earlier in the
// path, as in Z:\DATA\DATA, cannot move it).
EncoderPaths DeriveEncoderPaths(std::string_view input_path, std::string_view suggested_path);

struct OutputName {
  std::string name;
  bool typed = false;  // from the edit box, rather than the default name
};

// The edit box's text without trailing blanks, or the default name when nothing is left;
// ".BAS" is added to a name that has no ".".
OutputName ChooseOutputName(std::string_view box_text, std::string_view default_name);

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_ENCODER_NAMES_H_
