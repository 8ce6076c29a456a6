'@Author: Ilse Vandermeer
'@Subject: Proper case: first letters up
'@Origin: VEK sample archive
'@Date: 1999-02-08
'@Code: VBDOS
'@Tag: STRING CASE
' "the QUICK brown fox" -> "The Quick Brown Fox"
DEFINT A-Z
FUNCTION ProperCase$ (Text$)
  Result$ = LCASE$(Text$)
  NewWord = -1
  FOR I = 1 TO LEN(Result$)
    C$ = MID$(Result$, I, 1)
    IF NewWord AND C$ >= "a" AND C$ <= "z" THEN MID$(Result$, I, 1) = UCASE$(C$)
    NewWord = (C$ = " " OR C$ = "-")
  NEXT I
  ProperCase$ = Result$
END FUNCTION
