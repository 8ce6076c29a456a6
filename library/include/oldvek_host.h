/* Linux only: the host that stands in for USER32 when the library runs without Windows.
 * Included by oldvek.h; the library's platform layer sees this header and nothing else of
 * the interface. */
#ifndef OLDVEK_HOST_H_
#define OLDVEK_HOST_H_

#if !defined(_WIN32)

#include <stdint.h>

#include "oldvek_oleaut.h"

#ifndef OLDVEK_EXPORT
#define OLDVEK_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Linux only: what a message box, a message-loop pass or a window operation does when the
 * library runs without Windows. A NULL member, or no host at all, gives the default: each
 * message box is written to standard error as one line "caption: text" and answered OK (No
 * for a question); window operations do nothing. */
typedef struct OldVekHost {
  void* context;
  /* flags and the answer are those of MessageBoxA (MB_YESNO, IDOK, IDYES, IDNO, ...). */
  int32_t (*message_box)(void* context, const char* text, const char* caption, uint32_t flags);
  /* all_waiting: 0 takes at most one waiting message, 1 every waiting message. */
  void (*message_pass)(void* context, HWND dialog, int32_t all_waiting);
  void (*set_control_text)(void* context, HWND dialog, int32_t control, const char* text);
  void (*end_dialog)(void* context, HWND dialog, intptr_t result);
  void (*enable_window)(void* context, HWND window, int32_t enable);
  void (*sleep)(void* context, uint32_t milliseconds);
  /* The encoder's dialog, which `dialog` names in every call below. Its label's later texts
   * arrive through set_control_text (control 1506) and its passes after a label change
   * through message_pass. Without encoder_dialog_pass every dialog is answered CANCEL. */
  /* Shown, with the label's text and the edit box's text (the default output name). */
  void (*encoder_dialog_shown)(void* context, HWND dialog, const char* label, const char* name);
  /* One pass of the message loop while the user chooses: 0 when no button was pressed,
   * 1505 for CANCEL, or 1504 for FINISH with the check states of the options 1500, 1501 and
   * 1502 in checks[0..2] and the edit box's text in name (name_size bytes with its zero). */
  int32_t (*encoder_dialog_pass)(void* context, HWND dialog, int32_t checks[3], char* name, int32_t name_size);
  /* The options, the buttons and the edit box are gone; the dialog shows only its label. */
  void (*encoder_dialog_shrunk)(void* context, HWND dialog);
  void (*encoder_dialog_closed)(void* context, HWND dialog);
} OldVekHost;

/* Installs the host (copied); NULL restores the defaults. */
OLDVEK_EXPORT void OldVekSetHost(const OldVekHost* host);

#ifdef __cplusplus
}
#endif

#endif /* !_WIN32 */

#endif /* OLDVEK_HOST_H_ */
