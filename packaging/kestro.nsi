; The per-user installer of Kestro. packaging/CMakeLists.txt runs makensis on it with
; /DVERSION (2.1.0.10), /DSHORT_VERSION (2.1), /DEXE, /DREADME, /DICON and /DOUTFILE.

Unicode true
; Wine without its 32-bit half runs only 64-bit installers.
Target amd64-unicode
; Per user: the program folder is the user's own, so kestro.ini can be written beside the program.
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestro"
!define UNINSTALLER "uninstall.exe"
; The hidden window of a Kestro waiting in "/start" mode.
!define WAITING_CLASS "KestroByeWindow"
!define SYNCHRONIZE_AND_QUERY 0x00101000
!define END_WAIT_MS 10000

Name "Kestro ${SHORT_VERSION}"
BrandingText "Kestro ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kestro"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "Kestro"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileDescription" "Kestro ${SHORT_VERSION} セットアップ"
VIAddVersionKey /LANG=1041 "CompanyName" "Kestro developers"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Kestro developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Var Waiting

; Ends a Kestro of this folder that waits in "/start" mode, with the close request any
; program may send: it ends without a show. Sets $Waiting to 1 when there was one.
!macro CLOSE_WAITING_KESTRO prefix
Function ${prefix}CloseWaitingKestro
    StrCpy $Waiting 0
    StrCpy $0 0
    ${Do}
        FindWindow $0 "${WAITING_CLASS}" "" 0 $0
        ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
        System::Call "user32::IsWindowVisible(p r0) i .r1"
        ${IfThen} $1 <> 0 ${|} ${Continue} ${|}
        System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
        System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE_AND_QUERY}, i 0, i r1) p .r2"
        ${IfThen} $2 P= 0 ${|} ${Continue} ${|}
        StrCpy $3 ""
        System::Call "kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r3, *i ${NSIS_MAX_STRLEN})"
        ${If} $3 == "$INSTDIR\kestro.exe"
            SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=${END_WAIT_MS}
            System::Call "kernel32::WaitForSingleObject(p r2, i ${END_WAIT_MS}) i"
            StrCpy $Waiting 1
        ${EndIf}
        System::Call "kernel32::CloseHandle(p r2)"
        ${IfThen} $Waiting = 1 ${|} ${ExitDo} ${|}
    ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_WAITING_KESTRO ""
!insertmacro CLOSE_WAITING_KESTRO "un."

!define SHORTCUT_FOLDER "$SMPROGRAMS\Kestro"

Section
    SetShellVarContext current
    Call CloseWaitingKestro

    SetOutPath "$INSTDIR"
    File "/oname=kestro.exe" "${EXE}"
    File "/oname=readme.txt" "${README}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The shortcuts start in the program folder: the output path is their working directory.
    CreateDirectory "${SHORTCUT_FOLDER}"
    CreateShortcut "${SHORTCUT_FOLDER}\Kestro の設定.lnk" "$INSTDIR\kestro.exe" "" "$INSTDIR\kestro.exe" 0
    CreateShortcut "${SHORTCUT_FOLDER}\Kestro のテスト表示.lnk" "$INSTDIR\kestro.exe" "/test" "$INSTDIR\kestro.exe" 0
    CreateShortcut "${SHORTCUT_FOLDER}\Kestro でシャットダウン.lnk" "$INSTDIR\kestro.exe" "/shutdown" "$INSTDIR\kestro.exe" 0
    CreateShortcut "${SHORTCUT_FOLDER}\Kestro で再起動.lnk" "$INSTDIR\kestro.exe" "/restart" "$INSTDIR\kestro.exe" 0
    CreateShortcut "${SHORTCUT_FOLDER}\Kestro でサインアウト.lnk" "$INSTDIR\kestro.exe" "/logoff" "$INSTDIR\kestro.exe" 0
    CreateShortcut "${SHORTCUT_FOLDER}\Kestro の説明書.lnk" "$INSTDIR\readme.txt" "" "$INSTDIR\kestro.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kestro ${SHORT_VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestro.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

    ${If} $Waiting = 1
        Exec '"$INSTDIR\kestro.exe" /start'
    ${EndIf}
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Call un.CloseWaitingKestro

    Delete "${SHORTCUT_FOLDER}\Kestro の設定.lnk"
    Delete "${SHORTCUT_FOLDER}\Kestro のテスト表示.lnk"
    Delete "${SHORTCUT_FOLDER}\Kestro でシャットダウン.lnk"
    Delete "${SHORTCUT_FOLDER}\Kestro で再起動.lnk"
    Delete "${SHORTCUT_FOLDER}\Kestro でサインアウト.lnk"
    Delete "${SHORTCUT_FOLDER}\Kestro の説明書.lnk"
    RMDir "${SHORTCUT_FOLDER}"
    ; The settings window's registration for the start at log-on.
    Delete "$SMSTARTUP\Kestro.lnk"

    Delete "$INSTDIR\kestro.exe"
    Delete "$INSTDIR\readme.txt"
    Delete "$INSTDIR\kestro.ini"
    ; What a save cut short (a full disk, a crash) leaves beside kestro.ini.
    Delete "$INSTDIR\kestro.ini.new"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Not /r: whatever the user put in the folder stays, and so does the folder then.
    RMDir "$INSTDIR"

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
