; Uninstaller: the file types go with the program when they are still TOQ's. The user's tables,
; registers and settings (HKCU\Software\Tamsorel\TOQ) stay.
ReadRegStr $0 SHCTX "Software\Classes\.tai" ""
StrCmp $0 "TOQ.Table" 0 +2
DeleteRegKey SHCTX "Software\Classes\.tai"
ReadRegStr $0 SHCTX "Software\Classes\.ply" ""
StrCmp $0 "TOQ.Register" 0 +2
DeleteRegKey SHCTX "Software\Classes\.ply"
DeleteRegKey SHCTX "Software\Classes\TOQ.Table"
DeleteRegKey SHCTX "Software\Classes\TOQ.Register"
System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
