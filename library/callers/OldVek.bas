' OldVek.bas: the OldVek.dll interface for Visual Basic (VB5, VB6); add it to the project as a
' module.
'
' Every routine is a Sub (Declare is always stdcall). Strings are passed ByRef: Visual Basic
' hands the library ANSI byte strings and converts what comes back. Lists are dynamic String
' arrays passed ByRef, which Visual Basic passes as SAFEARRAYs; the library erases and
' redimensions the ones it fills, with bounds 1 to n. Callbacks are AddressOf a procedure in a
' standard module, passed ByVal, or ByRef a Long holding it (the search callbacks).
' The record Types are laid out byte for byte as the library reads them.

Type SnippetRecord              ' 181 bytes
  Unused0 As Byte
  Author As String * 31
  Subject As String * 31
  Origin As String * 31
  Date_ As String * 23          ' Date is a keyword
  Code As String * 23
  Tag As String * 32
  LineBlockSize As Long
  LineCount As Long
  Kind As Byte                  ' 1 plain, 2 carries a ZORVIT attachment
End Type

Type SearchCriteria             ' 432 bytes, lent to the criteria callback
  SubjectSwitch As Long
  AuthorSwitch As Long
  CodeTextSwitch As Long
  PacketSwitch As Long
  OriginSwitch As Long
  Criterion4Switch As Long
  Reserved24 As String * 12
  SubjectTerm As String * 32
  AuthorTerm As String * 32
  OriginTerm As String * 32
  Reserved132 As String * 44
  CodeTextTerm As String * 256
End Type

Type SearchState                ' 468 bytes: packet choice in, match count out
  Reserved0 As String * 144
  PacketChoice As String * 32
  Reserved176 As String * 288
  MatchCount As Long
End Type

Public Declare Sub OldIndex Lib "OldVek.dll" Alias "OldIndex" (ByRef packet As String, ByRef list() As String, _
  ByRef count As Long, ByRef folder As String)

Public Declare Sub OldGetCode Lib "OldVek.dll" Alias "OldGetCode" (ByRef packet As String, ByRef folder As String, _
  ByRef lines() As String, ByRef reserved As Long, ByRef tag As String, ByRef count As Long, _
  ByRef recordPosition As Long, ByRef snippet As SnippetRecord)

Public Declare Sub OldVekSearch Lib "OldVek.dll" Alias "OldVekSearch" (ByVal dialogHandle As Long, ByVal controlId As Long, _
  ByVal mode As Long, ByVal first As Long, ByVal last As Long, ByRef packets() As String, ByRef folder As String, _
  ByRef snippet As SnippetRecord, ByRef criteria As Long, ByRef match As Long, ByRef results() As String, _
  ByRef state As SearchState)

Public Declare Sub OldVekDelSnip Lib "OldVek.dll" Alias "OldVekDelSnip" (ByRef entry As String, ByRef packetList() As String, _
  ByRef snippetList() As String, ByRef folder As String, ByRef packetNo As Long, ByRef entryNo As Long, _
  ByVal listChanged As Long, ByVal listChangedData As Long, ByVal entryStale As Long, _
  ByVal entryStaleData As Long, ByVal filesOnly As Byte)

Public Declare Sub OldVekMove Lib "OldVek.dll" Alias "OldVekMove" (ByRef entry As String, ByRef snippetList() As String, _
  ByRef packetList() As String, ByRef packetNo As Long, ByVal entryNo As Long, ByRef destination As String, _
  ByRef folder As String, ByVal listChanged As Long, ByVal listChangedData As Long, ByVal entryStale As Long, _
  ByVal indexLoader As Long)

Public Declare Sub OldVekHeaderUpdate Lib "OldVek.dll" Alias "OldVekHeaderUpdate" (ByRef newFields() As String, _
  ByRef packetList() As String, ByRef snippetList() As String, ByRef folder As String, ByRef packetNo As Long, _
  ByRef entryNo As Long)

Public Declare Sub OldExtractCode Lib "OldVek.dll" Alias "OldExtractCode" (ByRef entry As String, ByRef folder As String, _
  ByRef outFile As String, ByRef mode As Long)

Public Declare Sub OldVekCreateCDE Lib "OldVek.dll" Alias "OldVekCreateCDE" (ByVal dialogHandle As Long, _
  ByVal progressId As Long, ByVal headerNumber As Long, ByVal packetCount As Long, ByRef selected() As Long, _
  ByRef codeName As String, ByRef ignored As Long, ByRef packetList() As String, ByRef folder As String, _
  ByRef headText1 As String, ByRef headText2 As String, ByRef codeDir As String)

Public Declare Sub EncodeZorvit Lib "OldVek.dll" Alias "EncodeZorvit" (ByRef inputPath As String, _
  ByRef suggestedPath As String, ByRef pageFiles() As String, ByRef status As Long, ByVal parentWindow As Long)
