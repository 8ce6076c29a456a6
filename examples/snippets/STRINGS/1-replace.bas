'@Author: Ilse Vandermeer
'@Subject: Replace all occurrences
'@Origin: VEK sample archive
'@Date: 1995-11-02
'@Code: QB45
'@Tag: STRING
' Returns Text$ with every Find$ replaced by With$. An empty Find$ changes nothing.
DEFINT A-Z
FUNCTION ReplaceAll$ (Text$, Find$, With$)
  IF LEN(Find$) = 0 THEN ReplaceAll$ = Text$: EXIT FUNCTION
  Result$ = "": Start = 1
  DO
    P = INSTR(Start, Text$, Find$)
    IF P = 0 THEN EXIT DO
    Result$ = Result$ + MID$(Text$, Start, P - Start) + With$
    Start = P + LEN(Find$)
  LOOP
  ReplaceAll$ = Result$ + MID$(Text$, Start)
END FUNCTION
