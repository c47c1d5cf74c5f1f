; Installer: the file types .tai (tournament table) and .ply (player register) open in toq.exe,
; with its icon. Included into the installer's main section by CPack.
WriteRegStr SHCTX "Software\Classes\.tai" "" "TOQ.Table"
WriteRegStr SHCTX "Software\Classes\.ply" "" "TOQ.Register"
WriteRegStr SHCTX "Software\Classes\TOQ.Table" "" "TOQ tournament table"
WriteRegStr SHCTX "Software\Classes\TOQ.Table\DefaultIcon" "" "$INSTDIR\toq.exe,0"
WriteRegStr SHCTX "Software\Classes\TOQ.Table\shell\open\command" "" '"$INSTDIR\toq.exe" "%1"'
WriteRegStr SHCTX "Software\Classes\TOQ.Register" "" "TOQ player register"
WriteRegStr SHCTX "Software\Classes\TOQ.Register\DefaultIcon" "" "$INSTDIR\toq.exe,0"
WriteRegStr SHCTX "Software\Classes\TOQ.Register\shell\open\command" "" '"$INSTDIR\toq.exe" "%1"'
System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
