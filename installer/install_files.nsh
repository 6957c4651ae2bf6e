; What goes into the install folder and the registry, and what comes out again.
; The new files are written beside the old ones first and take their place only
; once all of them are there, so that a failure leaves the old install whole.

!define FILE_RELEASE_POLLS 50 ; five seconds for the ended program to let go of its exe

; A process can still hold its exe for a moment after it gave up the mutex.
!macro DELETE_WHEN_RELEASED FILE
  ${For} $R1 1 ${FILE_RELEASE_POLLS}
    Delete "${FILE}"
    ${IfNotThen} ${FileExists} "${FILE}" ${|} ${Break} ${|}
    Sleep ${POLL_MS}
  ${Next}
!macroend

; Sets the error flag when the new file could not take the old one's place.
!macro PUT_NEW_FILE_IN_PLACE NAME
  !insertmacro DELETE_WHEN_RELEASED "$INSTDIR\${NAME}"
  ClearErrors ; tries that failed while the file was still held do not count
  Rename "$INSTDIR\${NAME}.new" "$INSTDIR\${NAME}"
!macroend

; Leaves 1 in $R0 when a file can be written in $INSTDIR, 0 otherwise; a folder
; made only to find that out is removed again.
Function FolderIsWritable
  Push $R1
  StrCpy $R1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $R1 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $R0 "$INSTDIR\murvane-setup.tmp" w
  ${If} ${Errors}
    StrCpy $R0 0
  ${Else}
    FileClose $R0
    Delete "$INSTDIR\murvane-setup.tmp"
    StrCpy $R0 1
  ${EndIf}
  ${If} $R1 == 1
    RMDir "$INSTDIR"
  ${EndIf}
  Pop $R1
FunctionEnd

; Called with the new files written beside the old ones and the error flag telling
; whether that went well.
Function PutProgramFilesInPlace
  ${IfNot} ${Errors}
    !insertmacro PUT_NEW_FILE_IN_PLACE murvane.exe
  ${EndIf}
  ${IfNot} ${Errors}
    !insertmacro PUT_NEW_FILE_IN_PLACE uninstall.exe
  ${EndIf}
  ${If} ${Errors}
    Delete "$INSTDIR\murvane.exe.new"
    Delete "$INSTDIR\uninstall.exe.new"
    SetOutPath "$TEMP" ; let go of the folder, so that an empty one can be removed
    RMDir "$INSTDIR"
    MessageBox MB_OK|MB_ICONSTOP "$(FilesNotReplaced)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd

Function RegisterProgram
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\murvane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\murvane.exe"
  ; An upgrade with the log-on option unticked must not keep the old value; the
  ; option's own section writes it again when it stays ticked.
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
FunctionEnd

Function un.RemoveProgramFiles
  !insertmacro DELETE_WHEN_RELEASED "$INSTDIR\murvane.exe"
  ${If} ${FileExists} "$INSTDIR\murvane.exe"
    MessageBox MB_OK|MB_ICONSTOP "$(ProgramInUse)" /SD IDOK
    SetErrorLevel 3
    Abort
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  SetOutPath "$TEMP"
  RMDir "$INSTDIR"
FunctionEnd
