'@Author: Margit Halloran
'@Subject: Does a file exist?
'@Origin: VEK sample archive
'@Date: 1998-10-12
'@Code: QB45
'@Tag: FILE
' DIR$ is PDS only, so QuickBASIC programs test with OPEN FOR APPEND and LOF.
DEFINT A-Z
FUNCTION FileExists (File$)
  F = FREEFILE
  OPEN File$ FOR APPEND AS #F
  Empty = (LOF(F) = 0)
  CLOSE #F
  IF Empty THEN KILL File$
  FileExists = NOT Empty
END FUNCTION
