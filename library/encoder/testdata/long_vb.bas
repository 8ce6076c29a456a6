'>>> Page 1 of 1 of MYDATA.BIN begins here. TYPE:BINAA TLEN:25088
'>>> Created by ZORVIT!
'===================================================================
'                         INSTRUCTIONS
'Look at the top line.  If there is more than one file it will show
'the file number, ie, Page X of X of File Name begins here
'load each into your VBWIN IDE.
'Then run each consecutively. The total file should be extracted.
 
'ZORVIT encoding and decoding: credit to the authors of the ZORVIT code
'This ZORVIT code was modified for the VEK Reader Version 2003.xx
'Visual BASIC variant: credit to the author of its translation
'===================================================================
 
DEFINT A - Z
DIM K, S, B&, OutHndl
 
 
SUB V0
full data lines: 200
END SUB
SUB V1
full data lines: 201
END SUB
SUB V2
full data lines: 1
U"\6Yu
END SUB
 
SUB MAIN()
 
OutHndl = 33
 
OPEN ".\MYDATA.BIN" FOR OUTPUT AS #OutHndl
 
V0
V1
V2
 
CLOSE
 
IF S = 130 AND B& = 25088 THEN
  MSGBOX("):OK!")
ELSE
  MSGBOX("(:BAD!")
END IF
 
END SUB
 
PRIVATE SUB U(Work AS STRING)
 
DIM I AS LONG
DIM C AS LONG
 
FOR I = 1 TO LEN(Work$)
  C = ASC(MID$(Work$, I, 1)) - 37
  IF C < 0 THEN C = 91 + C * 32
  IF K < 4 THEN
    K = C + 243
  ELSE
    PRINT #OutHndl,CHR$(C + (K MOD 3) * 86);
    K = K \ 3
    B& = B& + 1
  END IF
  S = (S + C) AND 255
NEXT I
 
END SUB
'>>> Page 1 of MYDATA.BIN ends here. Last page. TCHK:130
