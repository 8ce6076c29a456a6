'@Author: Tobias Ekwueme
'@Subject: Split a line into fields
'@Origin: VEK sample archive
'@Date: 1996-06-14
'@Code: QB45
'@Tag: STRING PARSE
' Splits Text$ on the one-character separator Sep$ into Field$(1..Count).
' Field$() must be dimensioned large enough; empty fields are kept.
DEFINT A-Z
SUB SplitFields (Text$, Sep$, Field$(), Count)
  Count = 1: Field$(1) = ""
  FOR I = 1 TO LEN(Text$)
    C$ = MID$(Text$, I, 1)
    IF C$ = Sep$ THEN
      Count = Count + 1: Field$(Count) = ""
    ELSE
      Field$(Count) = Field$(Count) + C$
    END IF
  NEXT I
END SUB
