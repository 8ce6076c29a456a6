/* The records OldVek shares with its caller, laid out byte for byte as the caller keeps
 * them. Plain C with fixed-width types only, so the engine uses them without the interface. */
#ifndef OLDVEK_RECORDS_H_
#define OLDVEK_RECORDS_H_

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#pragma pack(push, 1)

/* A snippet's header fields as the caller keeps them: 181 bytes. */
typedef struct SnippetRecord {
  uint8_t Unused0;
  char Author[31];
  char Subject[31];
  char Origin[31];
  char Date[23];
  char Code[23];
  char Tag[32];
  int32_t LineBlockSize;
  int32_t LineCount;
  uint8_t Kind; /* 1 plain, 2 carries a ZORVIT attachment */
} SnippetRecord;

/* The library's one process-wide search record (432 bytes), lent to the criteria callback. */
typedef struct SearchCriteria {
  int32_t SubjectSwitch;  /* criterion 2 */
  int32_t AuthorSwitch;   /* criterion 1; 0 after every search */
  int32_t CodeTextSwitch; /* criterion 5 */
  int32_t PacketSwitch;   /* criterion 0 */
  int32_t OriginSwitch;   /* criterion 3 */
  int32_t Criterion4Switch;
  char Reserved24[12];
  char SubjectTerm[32];
  char AuthorTerm[32];
  char OriginTerm[32];
  char Reserved132[44];
  char CodeTextTerm[256];
} SearchCriteria;

/* The caller's search state: packet choice in, match count out (468 bytes). */
typedef struct SearchState {
  char Reserved0[144];
  char PacketChoice[32];
  char Reserved176[288];
  int32_t MatchCount;
} SearchState;

#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(SnippetRecord) == 181, "SnippetRecord is 181 bytes");
static_assert(sizeof(SearchCriteria) == 432, "SearchCriteria is 432 bytes");
static_assert(sizeof(SearchState) == 468, "SearchState is 468 bytes");
#endif

#ifdef __cplusplus
}
#endif

#endif /* OLDVEK_RECORDS_H_ */
