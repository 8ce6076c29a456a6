'@Author: Ruth Asante
'@Subject: Copy a file in 16K blocks
'@Origin: VEK sample archive
'@Date: 1997-07-07
'@Code: PDS71
'@Tag: FILE COPY
' Copies Source$ to Target$ byte for byte, 16384 bytes at a time.
DEFINT A-Z
SUB CopyFile (Source$, Target$)
  InF = FREEFILE: OPEN Source$ FOR BINARY ACCESS READ AS #InF
  OutF = FREEFILE: OPEN Target$ FOR OUTPUT AS #OutF: CLOSE #OutF
  OPEN Target$ FOR BINARY AS #OutF
  Left& = LOF(InF)
  DO WHILE Left& > 0
    IF Left& > 16384 THEN Size = 16384 ELSE Size = Left&
    Block$ = SPACE$(Size)
    GET #InF, , Block$
    PUT #OutF, , Block$
    Left& = Left& - Size
  LOOP
  CLOSE #InF, #OutF
END SUB
