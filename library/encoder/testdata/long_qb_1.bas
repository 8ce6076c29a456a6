'>>> Page 1 of 2 of MYDATA.BIN begins here. TYPE:BINAA TLEN:156000
'>>> Created by ZORVIT!
'===================================================================
'                         INSTRUCTIONS
'Look at the top line.  If there is more than one file it will show
'the file number, ie, Page X of X of File Name begins here
'load the 1st file into your QB IDE and run it.  It will automatically
'chain to the next ZORVIT package to be extracted.
 
'ZORVIT encoding and decoding: credit to the authors of the ZORVIT code
'This ZORVIT code was modified for the VEK Reader Version 2003.xx
'===================================================================
 
DEFINT A - Z
 
DIM SHARED K, S, B AS LONG, OutHndl
 
DECLARE SUB U(A AS STRING)
 
 
SUB V0
full data lines: 200
END SUB
SUB V1
full data lines: 201
END SUB
SUB V2
full data lines: 201
END SUB
SUB V3
full data lines: 201
END SUB
SUB V4
full data lines: 201
END SUB
SUB V5
full data lines: 201
END SUB
SUB V6
full data lines: 201
END SUB
SUB V7
full data lines: 201
END SUB
SUB V8
full data lines: 201
END SUB
SUB V9
full data lines: 201
END SUB
SUB VA
full data lines: 201
END SUB
SUB VB
full data lines: 201
END SUB
SUB VC
full data lines: 89
END SUB
 
OutHndl = 33
 
OPEN "MYDATA.BIN" FOR OUTPUT AS #OutHndl
 
V0
V1
V2
V3
V4
V5
V6
V7
V8
V9
VA
VB
VC
 
CLOSE
 
IF S = 14 AND B = 156000 THEN
 
  PRINT ":)OK!"
ELSE
  PRINT ":(BAD!"
END IF
 
CHAIN "MYPROG10.BAS"
 
END
SUB U(Work as string)
 
FOR I = 1 TO LEN(Work$)
  C = ASC(MID$(Work$,I, 1)) - 37
  IF C < 0 THEN C = 91 + C * 32
  IF K < 4 THEN
    K = C + 243
  ELSE
    PRINT #OutHndl,CHR$(C + (K MOD 3) * 86);
    K = K \ 3
    B = B + 1
  END IF
  S = (S + C) AND 255
NEXT I
 
END SUB
'>>> Page 1 of MYDATA.BIN ends here.  TCHK:14
