; murvane-setup: installs Murvane for the current user only, with no
; administrator rights, and removes it again. Built by the `setup` target:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.3.0 -DMURVANE_EXE=... -DMURVANE_ICON=...
;            -DOUTFILE=... murvane.nsi

!ifndef VERSION | MURVANE_EXE | MURVANE_ICON | OUTFILE
  !error "VERSION, MURVANE_EXE, MURVANE_ICON and OUTFILE must be given with -D"
!endif

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
AllowSkipFiles off

!define PRODUCT "Murvane"
!define PUBLISHER "Polden Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\${PUBLISHER}\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include running_murvane.nsh
!include install_files.nsh

!define MUI_ICON "${MURVANE_ICON}"
!define MUI_UNICON "${MURVANE_ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES

!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; Without a language chooser, MUI follows Windows' own language and falls back
; to the first one here.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Italian"
!include strings.nsh

!insertmacro DEFINE_END_RUNNING_MURVANE ""
!insertmacro DEFINE_END_RUNNING_MURVANE "un."

Function DirectoryLeave
  Call FolderIsWritable
  ${If} $R0 == 0
    MessageBox MB_OK|MB_ICONSTOP "$(FolderNotWritable)"
    Abort ; stay on the page so that another folder can be chosen
  ${EndIf}
FunctionEnd

Section "$(SectionProgram)" SecProgram
  SectionIn RO
  ; A silent run never saw the folder page, so the folder is checked again here.
  Call FolderIsWritable
  ${If} $R0 == 0
    MessageBox MB_OK|MB_ICONSTOP "$(FolderNotWritable)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  Call EndRunningMurvaneOrQuit
  SetOutPath "$INSTDIR"
  ClearErrors
  File "/oname=murvane.exe.new" "${MURVANE_EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe.new"
  Call PutProgramFilesInPlace
  Call RegisterProgram
SectionEnd

Section "$(SectionStartAtLogOn)" SecStartAtLogOn
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\murvane.exe"'
SectionEnd

Section "un.$(SectionProgram)" UnSecProgram
  SectionIn RO
  Call un.EndRunningMurvaneOrQuit
  Call un.RemoveProgramFiles
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Unticked by default, and never chosen by a silent uninstall: the settings
; outlive the program unless the user asks otherwise.
Section /o "un.$(SectionRemoveSettings)" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
SectionEnd
