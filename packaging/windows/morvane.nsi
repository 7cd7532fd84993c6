; The Windows installer: morvane.exe, the user guide and the license of the
; program's Song face in Program Files, Start-menu shortcuts to the program
; and the guide for every user, and an uninstaller listed in Add/Remove
; Programs. Silent with /S. CMake defines VERSION, PROGRAM64 and PROGRAM32
; (the 64- and the 32-bit morvane.exe), GUIDE, FONT_LICENSE, ICON and OUTFILE.
;
; The installer itself is a 32-bit program, which every Windows runs. On a
; 64-bit Windows it installs the 64-bit program into the 64-bit Program Files
; and registers it in the 64-bit view of the registry; on a 32-bit Windows it
; installs the 32-bit program.
;
; Over an earlier install it installs into that install's folder, and it
; replaces nothing while Morvane runs from there: before it copies anything,
; as the uninstaller before it removes anything, it asks that the program be
; closed, with Retry and Cancel; silently, it changes nothing and exits with
; code 2.
Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
; No file times in the installer, so that it is the same whenever it is made;
; the installed files get the time of their installation.
SetDateSave off
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane"

Name "Morvane"
BrandingText "Morvane ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Morvane"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Morvane"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "The Morvane developers"
VIAddVersionKey /LANG=0 "FileDescription" "Morvane ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "The Morvane developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\morvane.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Whether morvane.exe in $INSTDIR runs: a running program's file cannot be
; opened for writing (opening it changes nothing). While it runs, asks that
; it be closed; Cancel, and a silent run at once, exit with code 2.
!macro CHECK_NOT_RUNNING un
Function ${un}CheckNotRunning
  retry:
  IfFileExists "$INSTDIR\morvane.exe" 0 done
  ClearErrors
  FileOpen $0 "$INSTDIR\morvane.exe" a
  IfErrors 0 close
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Morvane 正在运行。$\r$\n请先关闭 Morvane，再点“重试”。" /SD IDCANCEL IDRETRY retry
  SetErrorLevel 2
  Quit
  close:
  FileClose $0
  done:
FunctionEnd
!macroend
!insertmacro CHECK_NOT_RUNNING ""
!insertmacro CHECK_NOT_RUNNING "un."

; The 64-bit view of the registry on a 64-bit Windows, and there, unless /D=
; named another folder, the folder of an earlier install, which only that
; view holds (InstallDirRegKey reads the 32-bit one), else the 64-bit
; Program Files.
Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
    ${If} $INSTDIR == "$PROGRAMFILES\Morvane"
      ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
      ${If} $0 != ""
        StrCpy $INSTDIR $0
      ${Else}
        StrCpy $INSTDIR "$PROGRAMFILES64\Morvane"
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Call CheckNotRunning
FunctionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  Call un.CheckNotRunning
FunctionEnd

Section
  ; Again for the folder that the directory page chose.
  Call CheckNotRunning
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "/oname=morvane.exe" "${PROGRAM64}"
  ${Else}
    File "/oname=morvane.exe" "${PROGRAM32}"
  ${EndIf}
  File "/oname=guide.html" "${GUIDE}"
  File "/oname=font-license.txt" "${FONT_LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Morvane.lnk" "$INSTDIR\morvane.exe"
  CreateShortcut "$SMPROGRAMS\Morvane 使用说明.lnk" "$INSTDIR\guide.html"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Morvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Morvane developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\morvane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Morvane.lnk"
  Delete "$SMPROGRAMS\Morvane 使用说明.lnk"
  Delete "$INSTDIR\morvane.exe"
  Delete "$INSTDIR\guide.html"
  Delete "$INSTDIR\font-license.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
