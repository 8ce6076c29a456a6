'>>> Page 1 of 1 of MYDATA.BIN begins here. TYPE:BINAA TLEN:25088
'>>> Created by ZORVIT!
'===================================================================
'                         INSTRUCTIONS
'Look at the top line.  If there is more than one file it will show
'the file number, ie, Page X of X of File Name begins here
'load each into your PBWIN IDE or compile each using your version of
'the PBWIN compiler.  Then run each consecutively. The total file should
'be extracted.
 
'ZORVIT encoding and decoding: credit to the authors of the ZORVIT code
'This ZORVIT code was modified for the VEK Reader Version 2003.xx
'===================================================================
 
DEFLNG A - Z
 
GLOBAL K AS INTEGER
GLOBAL S AS INTEGER
GLOBAL B AS LONG
GLOBAL OutHndl AS LONG
 
DECLARE SUB U(A AS STRING)
 
FUNCTION PBMAIN() AS LONG

OutHndl = 33
 
OPEN "MYDATA.BIN" FOR OUTPUT AS #OutHndl
#IF %DEF(%PB_CC32)
  PRINT "Working"
#ELSE
  DIALOG NEW 0, "Working", 160, 92, 118, 0, TO hDlg
  DIALOG SHOW MODELESS hDlg TO lRslt
#ENDIF
 
 
full data lines: 402
U"\6Yu
 
CLOSE
 
IF S = 130 AND B = 25088 THEN
 
  #IF %DEF(%PB_CC32)
     PRINT ":) Ok!"
  #ELSE
     DIALOG SET TEXT hDlg, "):OK!"
  #ENDIF
ELSE
  #IF %DEF(%PB_CC32)
     PRINT ":( Bad!"
  #ELSE
     DIALOG SET TEXT hDlg, "(:BAD!"
  #ENDIF
END IF
#IF %DEF(%PB_CC32)
   WAITKEY$
#ENDIF
#IF %DEF(%PB_WIN32)
  SLEEP 2000
  DIALOG END hDlg
#ENDIF
 
END FUNCTION
 
SUB U(Work AS STRING)
 
LOCAL I AS LONG
LOCAL C AS LONG
 
FOR I = 1 TO LEN(Work$)
  C = ASC(Work$,I) - 37
  IF C < 0 THEN C = 91 + C * 32
  IF K < 4 THEN
    K = C + 243
  ELSE
    PRINT #OutHndl,CHR$(C + (K MOD 3) * 86);
    K = K \ 3
    INCR B
  END IF
  S = (S + C) AND 255
NEXT I
 
END SUB
'>>> Page 1 of MYDATA.BIN ends here. Last page. TCHK:130
