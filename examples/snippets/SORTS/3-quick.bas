'@Author: Margit Halloran
'@Subject: Recursive quicksort for strings
'@Origin: VEK sample archive
'@Date: 1998-01-30
'@Code: QB45
'@Tag: SORT RECUR
' Call QuickSort A$(), LBOUND(A$), UBOUND(A$). The middle element is the pivot, which
' keeps already sorted input from going quadratic.
DEFINT A-Z
SUB QuickSort (A$(), Lo, Hi)
  IF Lo >= Hi THEN EXIT SUB
  Pivot$ = A$((Lo + Hi) \ 2)
  I = Lo: J = Hi
  DO
    DO WHILE A$(I) < Pivot$: I = I + 1: LOOP
    DO WHILE A$(J) > Pivot$: J = J - 1: LOOP
    IF I <= J THEN SWAP A$(I), A$(J): I = I + 1: J = J - 1
  LOOP UNTIL I > J
  QuickSort A$(), Lo, J
  QuickSort A$(), I, Hi
END SUB
