; The installer of CMVelunor for Windows (64-bit): both programs into the
; program folder, a Start-menu entry, and an uninstaller that the system's
; list of programs knows. Built by `make windows-package`:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DSTAGE=<folder of the files> -DICON=<.ico>
;            -DOUTFILE=<installer.exe> cmvelunor.nsi
; /S installs and uninstalls without asking (the default folder, or /D=...).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CMVelunor"
!define START_MENU_LINK "$SMPROGRAMS\CMVelunor.lnk"

Name "CMVelunor ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\CMVelunor"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "CMVelunor"
VIAddVersionKey /LANG=0 "FileDescription" "CMVelunor ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "The Velunor developers"
VIAddVersionKey /LANG=0 "LegalCopyright" "2026 The Velunor developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The installer speaks the language of Windows: German, else English.
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "English"

; Neither the installer nor the uninstaller replaces or removes a running
; program (that would leave half of it behind): while the main window is
; open they ask to close it first, and without asking (/S) they give up.
LangString PROGRAM_RUNNING ${LANG_GERMAN} "CMVelunor läuft noch. Bitte schließen Sie das Programm und wählen Sie dann „Wiederholen“."
LangString PROGRAM_RUNNING ${LANG_ENGLISH} "CMVelunor is still running. Please close it, then choose Retry."
!macro WaitUntilProgramIsClosed
  check:
  FindWindow $0 "TFormVelunor"
  StrCmp $0 0 closed
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(PROGRAM_RUNNING)" /SD IDCANCEL IDRETRY check
  Abort
  closed:
!macroend
Function .onInit
  !insertmacro WaitUntilProgramIsClosed
FunctionEnd
Function un.onInit
  !insertmacro WaitUntilProgramIsClosed
FunctionEnd

; The files of the package; the uninstaller removes exactly these.
!macro PackageFiles Action
  ${Action} "cmvelunor.exe"
  ${Action} "velunor.exe"
  ${Action} "README.txt"
  ${Action} "COPYRIGHT.txt"
!macroend
!macro InstallFile Name
  File "${STAGE}/${Name}"
!macroend
!macro RemoveFile Name
  Delete "$INSTDIR\${Name}"
!macroend

Section
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !insertmacro PackageFiles "!insertmacro InstallFile"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${START_MENU_LINK}" "$INSTDIR\cmvelunor.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "CMVelunor"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Velunor developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\cmvelunor.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The cheat sheet is the user's: it stays (it lives in %APPDATA%\CMVelunor for
; an installed program, and the program folder is removed only when empty).
Section "Uninstall"
  SetShellVarContext all
  Delete "${START_MENU_LINK}"
  !insertmacro PackageFiles "!insertmacro RemoveFile"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
