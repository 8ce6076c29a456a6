'@Author: Margit Halloran
'@Subject: Bubble sort with early exit
'@Origin: VEK sample archive
'@Date: 1996-04-11
'@Code: QB45
'@Tag: SORT
' Sorts A$() from LBOUND to UBOUND in place; stops as soon as a pass swaps nothing.
DEFINT A-Z
SUB BubbleSort (A$())
  Lo = LBOUND(A$): Hi = UBOUND(A$)
  DO
    Swapped = 0
    FOR I = Lo TO Hi - 1
      IF A$(I) > A$(I + 1) THEN SWAP A$(I), A$(I + 1): Swapped = -1
    NEXT I
    Hi = Hi - 1
  LOOP WHILE Swapped
END SUB
