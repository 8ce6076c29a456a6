#include <algorithm>
#include <cstdio>

#include "encoder_user.h"

namespace oldvek::testing {

// The dialog as the host plays it: the selected option and the edit box's text.
struct EncoderUser::Script {
  explicit Script(EncoderUser& u) : user(u) {}

  EncoderUser& user;
  HWND parent = reinterpret_cast<HWND>(&user);
  HWND dialog = nullptr;
  size_t next_turn = 0;
  bool may_press = true;  // false from a press until the library asks again after a refusal
  int32_t selected = 0;
  std::string text;

  // The callbacks' context when they are about the dialog; nothing for another window.
  static Script* Of(void* context, HWND window) {
    Script* script = static_cast<Script*>(context);
    return window == script->dialog ? script : nullptr;
  }

  int32_t Pass(int32_t checks[3], char* name, int32_t name_size) {
    if (!may_press || next_turn == user.turns_.size()) {
      user.Note("no turn left");
      return kCancel;
    }
    const DialogTurn& turn = user.turns_[next_turn++];
    may_press = false;
    if (turn.option != 0) selected = turn.option;  // an automatic option clears the others
    if (turn.name) {
      text = *turn.name;
      std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    }
    if (turn.button == kFinish) {
      for (int i = 0; i < 3; ++i) checks[i] = selected == kPowerBasic + i ? 1 : 0;
      std::snprintf(name, static_cast<size_t>(name_size), "%s", text.c_str());
    }
    return turn.button;
  }
};

int32_t EncoderUser::Encode(std::string_view input_path, std::string_view suggested_path, StringArray& pages) {
  Bstr input(input_path);
  Bstr suggested(suggested_path);
  int32_t status = -2;
  Script script(*this);
  OldVekHost host{};
  host.context = &script;
  host.message_box = [](void* context, const char* text, const char* caption, uint32_t style) -> int32_t {
    Script& s = *static_cast<Script*>(context);
    s.user.NoteBox(caption, text, style);
    if (std::string(caption) == "FILE NAME ERROR") s.may_press = true;
    if ((style & 0xF) == 0x4) return s.user.overwrite_ ? 6 : 7;  // MB_YESNO: IDYES or IDNO
    return 1;                                                    // IDOK
  };
  host.message_pass = [](void* context, HWND dialog, int32_t all_waiting) {
    if (Script* s = Script::Of(context, dialog)) s->user.Note(all_waiting != 0 ? "pass" : "one message");
  };
  host.set_control_text = [](void* context, HWND dialog, int32_t control, const char* text) {
    Script* s = Script::Of(context, dialog);
    if (s != nullptr && control == 1506) s->user.Note("label " + std::string(text));
  };
  host.enable_window = [](void* context, HWND window, int32_t enable) {
    Script& s = *static_cast<Script*>(context);
    if (window == s.parent) s.user.Note(enable != 0 ? "parent enabled" : "parent disabled");
  };
  host.encoder_dialog_shown = [](void* context, HWND dialog, const char* label, const char* name) {
    Script& s = *static_cast<Script*>(context);
    s.dialog = dialog;
    s.text = name;
    s.user.Note("shown " + std::string(label) + " | " + name);
    if (s.user.on_shown_) s.user.on_shown_(dialog);
  };
  host.encoder_dialog_pass = [](void* context, HWND dialog, int32_t checks[3], char* name, int32_t name_size) {
    Script* s = Script::Of(context, dialog);
    return s != nullptr ? s->Pass(checks, name, name_size) : 0;
  };
  host.encoder_dialog_shrunk = [](void* context, HWND dialog) {
    if (Script* s = Script::Of(context, dialog)) s->user.Note("shrunk");
  };
  host.encoder_dialog_closed = [](void* context, HWND dialog) {
    if (Script* s = Script::Of(context, dialog)) s->user.Note("closed");
  };
  OldVekSetHost(&host);
  EncodeZorvit(input.get(), suggested.get(), pages.get(), &status, script.parent);
  OldVekSetHost(nullptr);
  return status;
}

}  // namespace oldvek::testing
