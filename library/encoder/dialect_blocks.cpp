#include "encoder/dialect_blocks.h"

namespace oldvek {
namespace {

constexpr std::string_view kBanner = "'>>> Created by ZORVIT!";
constexpr std::string_view kRule = "'===================================================================";
constexpr std::string_view kInstructions = "'                         INSTRUCTIONS";
constexpr std::string_view kTopLine = "'Look at the top line.  If there is more than one file it will show";
constexpr std::string_view kPageHint = "'the file number, ie, Page X of X of File Name begins here";
constexpr std::string_view kCredit = "'ZORVIT encoding and decoding: credit to the authors of the ZORVIT code";
constexpr std::string_view kModified = "'This ZORVIT code was modified for the VEK Reader Version 2003.xx";
constexpr std::string_view kVisualBasicCredit = "'Visual BASIC variant: credit to the author of its translation";

constexpr std::string_view kPowerBasicHeadLines[] = {
    kBanner,
    kRule,
    kInstructions,
    kTopLine,
    kPageHint,
    "'load each into your PBWIN IDE or compile each using your version of",
    "'the PBWIN compiler.  Then run each consecutively. The total file should",
    "'be extracted.",
    " ",
    kCredit,
    kModified,
    kRule,
    " ",
    "DEFLNG A - Z",
    " ",
    "GLOBAL K AS INTEGER",
    "GLOBAL S AS INTEGER",
    "GLOBAL B AS LONG",
    "GLOBAL OutHndl AS LONG",
    " ",
    "DECLARE SUB U(A AS STRING)",
    " ",
    "FUNCTION PBMAIN() AS LONG",
    "",
    "OutHndl = 33",
    " ",
    "#IF %DEF(%PB_CC32)",
    "  PRINT \"Working\"",
    "#ELSE",
    "  DIALOG NEW 0, \"Working\", 160, 92, 118, 0, TO hDlg",
    "  DIALOG SHOW MODELESS hDlg TO lRslt",
    "#ENDIF",
    " ",
};

constexpr std::string_view kPowerBasicTailLines[] = {
    " ",
    "  #IF %DEF(%PB_CC32)",
    "     PRINT \":) Ok!\"",
    "  #ELSE",
    "     DIALOG SET TEXT hDlg, \"):OK!\"",
    "  #ENDIF",
    "ELSE",
    "  #IF %DEF(%PB_CC32)",
    "     PRINT \":( Bad!\"",
    "  #ELSE",
    "     DIALOG SET TEXT hDlg, \"(:BAD!\"",
    "  #ENDIF",
    "END IF",
    "#IF %DEF(%PB_CC32)",
    "   WAITKEY$",
    "#ENDIF",
    "#IF %DEF(%PB_WIN32)",
    "  SLEEP 2000",
    "  DIALOG END hDlg",
    "#ENDIF",
    " ",
    "END FUNCTION",
    " ",
    "SUB U(Work AS STRING)",
    " ",
    "LOCAL I AS LONG",
    "LOCAL C AS LONG",
    " ",
    "FOR I = 1 TO LEN(Work$)",
    "  C = ASC(Work$,I) - 37",
    "  IF C < 0 THEN C = 91 + C * 32",
    "  IF K < 4 THEN",
    "    K = C + 243",
    "  ELSE",
    "    PRINT #OutHndl,CHR$(C + (K MOD 3) * 86);",
    "    K = K \\ 3",
    "    INCR B",
    "  END IF",
    "  S = (S + C) AND 255",
    "NEXT I",
    " ",
    "END SUB",
};

constexpr std::string_view kQuickBasicHeadLines[] = {
    kBanner,
    kRule,
    kInstructions,
    kTopLine,
    kPageHint,
    "'load the 1st file into your QB IDE and run it.  It will automatically",
    "'chain to the next ZORVIT package to be extracted.",
    " ",
    kCredit,
    kModified,
    kRule,
    " ",
    "DEFINT A - Z",
    " ",
    "DIM SHARED K, S, B AS LONG, OutHndl",
    " ",
    "DECLARE SUB U(A AS STRING)",
    " ",
};

constexpr std::string_view kQuickBasicTailLines[] = {
    " ",
    "  PRINT \":)OK!\"",
    "ELSE",
    "  PRINT \":(BAD!\"",
    "END IF",
    " ",
    "END",
    "SUB U(Work as string)",
    " ",
    "FOR I = 1 TO LEN(Work$)",
    "  C = ASC(MID$(Work$,I, 1)) - 37",
    "  IF C < 0 THEN C = 91 + C * 32",
    "  IF K < 4 THEN",
    "    K = C + 243",
    "  ELSE",
    "    PRINT #OutHndl,CHR$(C + (K MOD 3) * 86);",
    "    K = K \\ 3",
    "    B = B + 1",
    "  END IF",
    "  S = (S + C) AND 255",
    "NEXT I",
    " ",
    "END SUB",
};

constexpr std::string_view kVisualBasicHeadLines[] = {
    kBanner,
    kRule,
    kInstructions,
    kTopLine,
    kPageHint,
    "'load each into your VBWIN IDE.",
    "'Then run each consecutively. The total file should be extracted.",
    " ",
    kCredit,
    kModified,
    kVisualBasicCredit,
    kRule,
    " ",
    "DEFINT A - Z",
    "DIM K, S, B&, OutHndl",
    " ",
};

constexpr std::string_view kVisualBasicTailLines[] = {
    "END SUB",
    " ",
    "PRIVATE SUB U(Work AS STRING)",
    " ",
    "DIM I AS LONG",
    "DIM C AS LONG",
    " ",
    "FOR I = 1 TO LEN(Work$)",
    "  C = ASC(MID$(Work$, I, 1)) - 37",
    "  IF C < 0 THEN C = 91 + C * 32",
    "  IF K < 4 THEN",
    "    K = C + 243",
    "  ELSE",
    "    PRINT #OutHndl,CHR$(C + (K MOD 3) * 86);",
    "    K = K \\ 3",
    "    B& = B& + 1",
    "  END IF",
    "  S = (S + C) AND 255",
    "NEXT I",
    " ",
    "END SUB",
};

static_assert(std::size(kPowerBasicHeadLines) == 33);
static_assert(std::size(kPowerBasicTailLines) == 42);
static_assert(std::size(kQuickBasicHeadLines) == 18);
static_assert(std::size(kQuickBasicTailLines) == 23);
static_assert(std::size(kVisualBasicHeadLines) == 16);
static_assert(std::size(kVisualBasicTailLines) == 21);

}  // namespace

const TextBlock kPowerBasicHead = kPowerBasicHeadLines;
const TextBlock kPowerBasicTail = kPowerBasicTailLines;
const TextBlock kQuickBasicHead = kQuickBasicHeadLines;
const TextBlock kQuickBasicTail = kQuickBasicTailLines;
const TextBlock kVisualBasicHead = kVisualBasicHeadLines;
const TextBlock kVisualBasicTail = kVisualBasicTailLines;

}  // namespace oldvek
