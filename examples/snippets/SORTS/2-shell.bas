'@Author: Tobias Ekwueme
'@Subject: Shell sort of LONG integers
'@Origin: VEK sample archive
'@Date: 1997-09-23
'@Code: PDS71
'@Tag: SORT
' Shell sort with the gap sequence N\2, N\4, ... 1. Much faster than a bubble sort
' once the array holds more than a few dozen items.
DEFINT A-Z
SUB ShellSort (A&(), N)
  Gap = N \ 2
  DO WHILE Gap > 0
    FOR I = Gap + 1 TO N
      J = I - Gap
      DO WHILE J >= 1
        IF A&(J) <= A&(J + Gap) THEN EXIT DO
        SWAP A&(J), A&(J + Gap)
        J = J - Gap
      LOOP
    NEXT I
    Gap = Gap \ 2
  LOOP
END SUB
