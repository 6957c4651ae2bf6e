; Ending a running Murvane the way its own "Esci" does, so that its tray icons go
; away and murvane.exe is free to be replaced or deleted. Murvane holds the named
; mutex for as long as it runs and listens on a message-only window.

!define MURVANE_MUTEX "Local\Polden Software Murvane"
!define MURVANE_INSTANCE_CLASS "MurvaneInstance"
!define HWND_MESSAGE -3
!define SYNCHRONIZE 0x00100000
!define POLL_MS 100
!define END_WAIT_POLLS 100 ; ten seconds: the machine may be busy
!define ASK_AGAIN_POLLS 10

; Leaves 1 in $R0 while a Murvane runs in this session, 0 otherwise.
!macro MURVANE_IS_RUNNING
  System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${MURVANE_MUTEX}") p .R0'
  ${If} $R0 P<> 0
    System::Call 'kernel32::CloseHandle(p R0)'
    StrCpy $R0 1
  ${Else}
    StrCpy $R0 0
  ${EndIf}
!macroend

; Defines ${PREFIX}EndRunningMurvane: asks a running Murvane to exit and waits
; until it has. Leaves 1 in $R0 when none runs any more, 0 when it would not end.
; A Murvane that is still starting has the mutex before its window, and leaves
; the request unanswered until its main window is up, so the request is repeated
; every second while it runs.
!macro DEFINE_END_RUNNING_MURVANE PREFIX
  Function ${PREFIX}EndRunningMurvane
    Push $R1
    Push $R2
    ${For} $R1 0 ${END_WAIT_POLLS}
      !insertmacro MURVANE_IS_RUNNING
      ${IfThen} $R0 == 0 ${|} ${Break} ${|}
      IntOp $R2 $R1 % ${ASK_AGAIN_POLLS}
      ${If} $R2 == 0
        FindWindow $R0 "${MURVANE_INSTANCE_CLASS}" "" ${HWND_MESSAGE}
        ${If} $R0 P<> 0
          SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        ${EndIf}
      ${EndIf}
      Sleep ${POLL_MS}
    ${Next}
    !insertmacro MURVANE_IS_RUNNING
    IntOp $R0 $R0 !
    Pop $R2
    Pop $R1
  FunctionEnd

  ; Asks until Murvane has ended or the user gives up; silent runs give up at once.
  Function ${PREFIX}EndRunningMurvaneOrQuit
    retry:
      Call ${PREFIX}EndRunningMurvane
      ${If} $R0 == 0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramInUse)" /SD IDCANCEL IDRETRY retry
        SetErrorLevel 3
        Abort
      ${EndIf}
  FunctionEnd
!macroend
