'@Author: Ruth Asante
'@Subject: Count the lines of a text file
'@Origin: VEK sample archive
'@Date: 1996-03-19
'@Code: QB45
'@Tag: FILE
' Returns the number of lines in File$, or -1 when the file does not exist.
DEFINT A-Z
FUNCTION CountLines& (File$)
  F = FREEFILE
  OPEN File$ FOR BINARY AS #F
  IF LOF(F) = 0 THEN CLOSE #F: KILL File$: CountLines& = -1: EXIT FUNCTION
  CLOSE #F
  OPEN File$ FOR INPUT AS #F
  DO UNTIL EOF(F)
    LINE INPUT #F, L$
    N& = N& + 1
  LOOP
  CLOSE #F
  CountLines& = N&
END FUNCTION
