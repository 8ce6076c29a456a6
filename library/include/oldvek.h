/* OldVek: the file engine behind the VEK snippet reader.
 *
 * A C interface. Strings are automation strings (BSTR) holding 8-bit bytes; lists are
 * one-dimensional SAFEARRAYs of BSTR with the bounds 1 to n, and "erased" is a NULL array.
 * On Windows these come from OLEAUT32; on Linux the library exports its own functions of the
 * same names and layout, declared in oldvek_oleaut.h. */
#ifndef OLDVEK_H_
#define OLDVEK_H_

#include <stdint.h>

#include "oldvek_oleaut.h"
#include "oldvek_records.h"

#if defined(_WIN32) && !defined(_WIN64)
#define VEKAPI __stdcall
#else
#define VEKAPI
#endif

#if defined(_WIN32)
#define OLDVEK_EXPORT
#else
#define OLDVEK_EXPORT __attribute__((visibility("default")))
#endif

/* No exception ever leaves an export. */
#ifdef __cplusplus
#define OLDVEK_NOEXCEPT noexcept
#else
#define OLDVEK_NOEXCEPT
#endif

#include "oldvek_host.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t(VEKAPI* CriteriaCallback)(SearchCriteria* criteria, SnippetRecord* snippet, uint8_t* bits,
                                          BSTR* packetEntry, SAFEARRAY** lines, int32_t* recordPosition);
typedef int32_t(VEKAPI* MatchCallback)(BSTR* text, BSTR* term);
typedef void(VEKAPI* ListChangedFn)(SAFEARRAY** list, int32_t* reason, intptr_t data);
typedef void(VEKAPI* EntryStaleFn)(BSTR* entry, BSTR* folder, intptr_t data);
typedef void(VEKAPI* IndexLoaderFn)(BSTR* packet, SAFEARRAY** list, int32_t* count, BSTR* folder);

/* Lists a packet: one entry "00001~Subject~Author~Code~BASE.VEK~1" per index record. */
OLDVEK_EXPORT void VEKAPI OldIndex(BSTR* packet, SAFEARRAY** list, int32_t* count, BSTR* folder) OLDVEK_NOEXCEPT;

/* Fetches one snippet of the packet named by the text of `packet` before its first space:
 * lines 1 and 2 are the summary lines "Author~Subject~Origin" and "Date~Code~Extra" at full
 * width, lines 3 to count the code lines. Fills Author, Subject, Origin, Date, Code and Kind
 * of `snippet` and the trimmed Tag, and marks the index record as read (Flag a space). A
 * `recordPosition` that is not the start of a record gives count 0 and changes nothing. */
OLDVEK_EXPORT void VEKAPI OldGetCode(BSTR* packet, BSTR* folder, SAFEARRAY** lines, int32_t* reserved, BSTR* tag,
                                     int32_t* count, int32_t* recordPosition, SnippetRecord* snippet) OLDVEK_NOEXCEPT;
/* Searches packets first to last of the list: each snippet goes to the criteria callback, and
 * the entries of those that pass are appended to results; the match count lands in the state.
 * The progress control of the dialog names each packet, and the dialog is ended at the end. */
OLDVEK_EXPORT void VEKAPI OldVekSearch(HWND dialog, int32_t control, int32_t mode, int32_t first, int32_t last,
                                       SAFEARRAY** packets, BSTR* folder, SnippetRecord* snippet,
                                       CriteriaCallback* criteria, MatchCallback* match, SAFEARRAY** results,
                                       SearchState* state) OLDVEK_NOEXCEPT;

/* Deletes the snippet of entry by rebuilding its packet, then brings snippetList into step:
 * rebuilt from the index when it shows packet packetNo of packetList, otherwise without the
 * entry, the same packet's other entries passed to entryStale first. listChanged is called
 * with reason 5. filesOnly not 0: the files only; no list is touched and nothing is called. */
OLDVEK_EXPORT void VEKAPI OldVekDelSnip(BSTR* entry, SAFEARRAY** packetList, SAFEARRAY** snippetList, BSTR* folder,
                                        int32_t* packetNo, int32_t* entryNo, ListChangedFn listChanged,
                                        intptr_t listChangedData, EntryStaleFn entryStale, intptr_t entryStaleData,
                                        uint8_t filesOnly) OLDVEK_NOEXCEPT;

/* Moves the snippet of entry to the end of packet destination, then brings snippetList into
 * step: reloaded through indexLoader when it shows the source packet, otherwise with the
 * entry rewritten to name its new place and the source's other entries passed to
 * entryStale (with indexLoader as their data). listChanged is called with reason 5. */
OLDVEK_EXPORT void VEKAPI OldVekMove(BSTR* entry, SAFEARRAY** snippetList, SAFEARRAY** packetList, int32_t* packetNo,
                                     int32_t entryNo, BSTR* destination, BSTR* folder, ListChangedFn listChanged,
                                     intptr_t listChangedData, EntryStaleFn entryStale,
                                     IndexLoaderFn indexLoader) OLDVEK_NOEXCEPT;

/* Rewrites Author, Subject, Origin, Date and Code (newFields 1 to 5) of the snippet at entry
 * entryNo of snippetList, in packet packetNo of packetList, with the index record's copies. */
OLDVEK_EXPORT void VEKAPI OldVekHeaderUpdate(SAFEARRAY** newFields, SAFEARRAY** packetList, SAFEARRAY** snippetList,
                                             BSTR* folder, int32_t* packetNo, int32_t* entryNo) OLDVEK_NOEXCEPT;

/* Writes one snippet, named by its list entry ("00001~Subject~Author~Code~BASE.VEK~1"), to
 * `outFile`. Mode 1 decodes the snippet's ZORVIT attachment (its first page) and checks the
 * stated length and checksum; mode 2 writes the code lines as CR LF text under a comment block
 * made from the header; any other mode writes the comment block alone. Marks the snippet as
 * read. The outcome is shown in a message box with the caption "OldVek":
 * "OUT Zorvit extracted OK", "Error Extracting OUT Zorvit", "OUT extracted", or, when nothing
 * could be extracted, "Nothing extracted to OUT: " and the reason. */
OLDVEK_EXPORT void VEKAPI OldExtractCode(BSTR* entry, BSTR* folder, BSTR* outFile, int32_t* mode) OLDVEK_NOEXCEPT;

/* Writes the code file codeDir + codeName + ".CDE": headText1, headText2, headerNumber, then
 * for each chosen packet its name, its snippet count and every snippet as a 184-byte record
 * followed by its length-prefixed code lines. Packet i (1 to packetCount) is chosen when the
 * element with index i - 1 of `selected` (32-bit integers) holds i; its base name is taken
 * from element i of `packetList`. Each snippet's progress text goes to control `progressId` of
 * `dialogHandle`, and the caller's messages are dispatched as the work goes on. Failures and
 * packets left out are reported in an error message box. */
OLDVEK_EXPORT void VEKAPI OldVekCreateCDE(HWND dialogHandle, int32_t progressId, int32_t headerNumber,
                                          int32_t packetCount, SAFEARRAY** selected, BSTR* codeName, int32_t* ignored,
                                          SAFEARRAY** packetList, BSTR* folder, BSTR* headText1, BSTR* headText2,
                                          BSTR* codeDir) OLDVEK_NOEXCEPT;
/* Encodes a file as self-extracting BASIC source after asking, in the library's own dialog,
 * for the dialect and the output name (the edit box starts with the last component of
 * `suggestedPath`). status: 0 when the user cancels, -1 when the call is refused or fails
 * (the user has been told), otherwise the number of page files, whose full paths fill
 * `pageFiles` 1 to status. `parentWindow` is disabled while the call runs. */
OLDVEK_EXPORT void VEKAPI EncodeZorvit(BSTR* inputPath, BSTR* suggestedPath, SAFEARRAY** pageFiles, int32_t* status,
                                       HWND parentWindow) OLDVEK_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* OLDVEK_H_ */
