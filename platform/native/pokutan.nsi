; The Windows installer (NSIS): pokutan.exe, its launcher and the Resource\ tree into Program
; Files, a Start-menu shortcut that starts the launcher, and an uninstaller. The installed folder
; stays read-only and shared; each player's record lives in their own %LOCALAPPDATA%\pokutan,
; which the launcher makes and the uninstaller leaves alone.
; makensis -DVERSION=x.y.z -DSTAGE=<folder with pokutan.exe, pokutan-launcher.exe, Resource>
;          -DOUTFILE=<setup.exe> pokutan.nsi
; A 64-bit installer, like the program: it runs where a 64-bit-only Wine runs the game.
Target amd64-unicode

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\pokutan"

Name "POKUTAN (ポクタン) ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\POKUTAN"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Icon "${STAGE}\pokutan.ico"
UninstallIcon "${STAGE}\pokutan.ico"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "POKUTAN"
  SetOutPath "$INSTDIR"
  File "${STAGE}\pokutan.exe"
  File "${STAGE}\pokutan-launcher.exe"
  File /r "${STAGE}\Resource"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\POKUTAN.lnk" "$INSTDIR\pokutan-launcher.exe" "" "$INSTDIR\pokutan.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "POKUTAN (ポクタン)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pokutan.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes; the players' records under %LOCALAPPDATA% stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\POKUTAN.lnk"
  RMDir /r "$INSTDIR\Resource"
  Delete "$INSTDIR\pokutan.exe"
  Delete "$INSTDIR\pokutan-launcher.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
