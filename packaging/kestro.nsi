; The per-user installer of Kestro, in Japanese where Windows speaks Japanese and in English
; elsewhere. packaging/CMakeLists.txt runs makensis on it with /DVERSION (2.1.0.10),
; /DSHORT_VERSION (2.1), /DEXE, /DREADME, /DREADME_EN, /DICON, /DWIZARD_PICTURE and /DOUTFILE.

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
; Kestro's windows: a session command's hidden one (it waits for its show), the exit show's
; (hidden while a Kestro waits in "/start" mode) and the settings window.
!define COMMAND_CLASS "KestroSessionCommand"
!define SHOW_CLASS "KestroByeWindow"
!define SETTINGS_CLASS "KestroSetting"
!define SYNCHRONIZE_AND_QUERY 0x00101000
!define END_WAIT_MS 10000

Name "Kestro ${SHORT_VERSION}"
BrandingText "Kestro ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kestro"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_PICTURE}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_SHOW WidenComponents
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OPEN_SETTINGS)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSettings
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The user's display language picks one without asking; any language but these two gets the
; first one.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; The version resource is written at build time: no language strings there.
!macro VERSION_KEYS language description
    VIAddVersionKey /LANG=${language} "ProductName" "Kestro"
    VIAddVersionKey /LANG=${language} "ProductVersion" "${VERSION}"
    VIAddVersionKey /LANG=${language} "FileVersion" "${VERSION}"
    VIAddVersionKey /LANG=${language} "FileDescription" "${description}"
    VIAddVersionKey /LANG=${language} "CompanyName" "Kestro developers"
    VIAddVersionKey /LANG=${language} "LegalCopyright" "Kestro developers"
!macroend
!insertmacro VERSION_KEYS ${LANG_ENGLISH} "Kestro ${SHORT_VERSION} Setup"
!insertmacro VERSION_KEYS ${LANG_JAPANESE} "Kestro ${SHORT_VERSION} セットアップ"

; The shortcuts' names for shut-down, also the desktop's.
!define SHUTDOWN_JA "Kestro でシャットダウン"
!define SHUTDOWN_EN "Shut down with Kestro"

!define ASK_TAIL_JA "$\r$\n$\r$\nキャンセルを押すと、ここで中止します。"
!define ASK_TAIL_EN "$\r$\n$\r$\nPress Cancel to stop here."
LangString COMMAND_TEXT ${LANG_JAPANESE} "Kestro がシャットダウン・再起動・サインアウトの前に表示している画面を閉じます。Windows は終了しません。${ASK_TAIL_JA}"
LangString COMMAND_TEXT ${LANG_ENGLISH} "This closes the screen Kestro shows before a shut-down, restart or sign-out. Windows does not shut down.${ASK_TAIL_EN}"
LangString SHOW_TEXT ${LANG_JAPANESE} "表示中の Kestro の画面を閉じます。${ASK_TAIL_JA}"
LangString SHOW_TEXT ${LANG_ENGLISH} "This closes the screen Kestro is showing.${ASK_TAIL_EN}"
LangString SETTINGS_TEXT ${LANG_JAPANESE} "開いている「Kestro ${SHORT_VERSION}の設定」ウィンドウを閉じます。保存していない変更は失われます。${ASK_TAIL_JA}"
LangString SETTINGS_TEXT ${LANG_ENGLISH} "This closes the open $\"Kestro ${SHORT_VERSION} Settings$\" window. Changes not saved are lost.${ASK_TAIL_EN}"
LangString OPEN_SETTINGS ${LANG_JAPANESE} "Kestro の設定を開く"
LangString OPEN_SETTINGS ${LANG_ENGLISH} "Open the Kestro settings"

Var Waiting
; The language of the shortcuts' names, 1041 or 1033, and the desktop shortcut's name in it.
Var ShortcutLanguage
Var DesktopName

; Closes each window of class $R0 that a kestro.exe of this folder owns, with the close request
; any program may send, and waits for its process to end. Before it closes a visible window it
; names it to the user with $R1, a hidden one with $R3 (empty: closed without a word); the user
; may cancel the setup instead. Sets $R2 to 1 when it closed a hidden window.
!macro CLOSE_KESTRO prefix
Function ${prefix}CloseKestroWindows
    StrCpy $R2 0
    StrCpy $0 0
    ${Do}
        FindWindow $0 $R0 "" 0 $0
        ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
        System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
        System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE_AND_QUERY}, i 0, i r1) p .r2"
        ${IfThen} $2 P= 0 ${|} ${Continue} ${|}
        StrCpy $3 ""
        System::Call "kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r3, *i ${NSIS_MAX_STRLEN})"
        ${If} $3 == "$INSTDIR\kestro.exe"
            System::Call "user32::IsWindowVisible(p r0) i .r4"
            ; A show's window holds 1 in its first slot: a hidden one plays a sound.
            System::Call "user32::GetWindowLongPtrW(p r0, i 0) p .r6"
            ${If} $4 = 0
            ${AndIf} $6 P<> 1
                StrCpy $5 $R3
                StrCpy $R2 1
            ${ElseIf} $4 = 0
                StrCpy $5 ""
            ${Else}
                StrCpy $5 $R1
            ${EndIf}
            ${If} $5 != ""
            ${AndIf} ${Cmd} `MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$5" /SD IDOK IDCANCEL`
                System::Call "kernel32::CloseHandle(p r2)"
                Abort
            ${EndIf}
            SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=${END_WAIT_MS}
            System::Call "kernel32::WaitForSingleObject(p r2, i ${END_WAIT_MS}) i .r4"
            ; Its window went with it: look again from the first window.
            ${IfThen} $4 = 0 ${|} StrCpy $0 0 ${|}
        ${EndIf}
        System::Call "kernel32::CloseHandle(p r2)"
    ${Loop}
FunctionEnd

; Takes every running Kestro of this folder away, without a show and without saving: first the
; session commands, which end their shows with them and then leave the session alone; then the
; shows and the waiting Kestro; then the settings windows. Sets $Waiting to 1 when a Kestro
; waited in "/start" mode.
Function ${prefix}CloseKestro
    StrCpy $R0 "${COMMAND_CLASS}"
    StrCpy $R1 "$(COMMAND_TEXT)"
    StrCpy $R3 "$(COMMAND_TEXT)"
    Call ${prefix}CloseKestroWindows
    StrCpy $R0 "${SHOW_CLASS}"
    StrCpy $R1 "$(SHOW_TEXT)"
    StrCpy $R3 ""
    Call ${prefix}CloseKestroWindows
    StrCpy $Waiting $R2
    StrCpy $R0 "${SETTINGS_CLASS}"
    StrCpy $R1 "$(SETTINGS_TEXT)"
    StrCpy $R3 "$(SETTINGS_TEXT)"
    Call ${prefix}CloseKestroWindows
FunctionEnd
!macroend
!insertmacro CLOSE_KESTRO ""
!insertmacro CLOSE_KESTRO "un."

!define SHORTCUT_FOLDER "$SMPROGRAMS\Kestro"
; The user's choice of the desktop shortcut, kept for the next install: 1 or 0.
!define DESKTOP_CHOICE "DesktopShortcut"
; The language of the first install's shortcut names, kept for good: a shortcut the user
; pinned goes on working after an upgrade.
!define SHORTCUT_LANGUAGE "ShortcutLanguage"

; The Start menu's shortcuts: the Japanese and the English name, what each opens in the
; program folder in either language, its arguments.
!macro EACH_SHORTCUT do
    !insertmacro ${do} "Kestro の設定" "Kestro Settings" kestro.exe kestro.exe ""
    !insertmacro ${do} "Kestro のテスト表示" "Kestro Test Show" kestro.exe kestro.exe "/test"
    !insertmacro ${do} "${SHUTDOWN_JA}" "${SHUTDOWN_EN}" kestro.exe kestro.exe "/shutdown"
    !insertmacro ${do} "Kestro で再起動" "Restart with Kestro" kestro.exe kestro.exe "/restart"
    !insertmacro ${do} "Kestro でサインアウト" "Sign out with Kestro" kestro.exe kestro.exe "/logoff"
    !insertmacro ${do} "Kestro の説明書" "Kestro Guide" readme.txt readme-en.txt ""
!macroend

!macro CREATE_SHORTCUT japanese english japanese_file english_file arguments
    ${If} $ShortcutLanguage = ${LANG_JAPANESE}
        CreateShortcut "${SHORTCUT_FOLDER}\${japanese}.lnk" "$INSTDIR\${japanese_file}" "${arguments}" "$INSTDIR\kestro.exe" 0
    ${Else}
        CreateShortcut "${SHORTCUT_FOLDER}\${english}.lnk" "$INSTDIR\${english_file}" "${arguments}" "$INSTDIR\kestro.exe" 0
    ${EndIf}
!macroend

; Both languages' names: the uninstaller does not depend on the key's value.
!macro DELETE_SHORTCUT japanese english japanese_file english_file arguments
    Delete "${SHORTCUT_FOLDER}\${japanese}.lnk"
    Delete "${SHORTCUT_FOLDER}\${english}.lnk"
!macroend

Section "Kestro" SecProgram
    SectionIn RO
    SetShellVarContext current
    Call CloseKestro

    SetOutPath "$INSTDIR"
    File "/oname=kestro.exe" "${EXE}"
    File "/oname=readme.txt" "${README}"
    File "/oname=readme-en.txt" "${README_EN}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The shortcuts start in the program folder: the output path is their working directory.
    CreateDirectory "${SHORTCUT_FOLDER}"
    !insertmacro EACH_SHORTCUT CREATE_SHORTCUT

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
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "${SHORTCUT_LANGUAGE}" $ShortcutLanguage
    ; Left out this time, the desktop shortcut of an earlier install goes; the next section
    ; puts it back when chosen.
    Delete "$DESKTOP\$DesktopName.lnk"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "${DESKTOP_CHOICE}" 0

    ; Waiting again as before, without the sign-in show: that belongs to the start at sign-in.
    ${If} $Waiting = 1
        Exec '"$INSTDIR\kestro.exe" /kestro-wait'
    ${EndIf}
SectionEnd

; Its caption is given in .onInit, once the shortcut's name is known.
Section "${SHUTDOWN_EN}" SecDesktop
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    CreateShortcut "$DESKTOP\$DesktopName.lnk" "$INSTDIR\kestro.exe" "/shutdown" "$INSTDIR\kestro.exe" 0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "${DESKTOP_CHOICE}" 1
SectionEnd

; The components' list stands right of its caption, too narrow for the desktop shortcut's
; text: it takes the caption's place and the page's width, above the space required.
Function WidenComponents
    FindWindow $0 "#32770" "" $HWNDPARENT
    GetDlgItem $1 $0 1022
    GetDlgItem $2 $0 1032
    GetDlgItem $3 $0 1023
    ShowWindow $1 0
    System::Call "*(i,i,i,i)p.r4"
    System::Call "user32::GetWindowRect(p r1, p r4)"
    System::Call "user32::MapWindowPoints(p 0, p r0, p r4, i 2)"
    System::Call "*$4(i.r5,i,i,i)"
    System::Call "user32::GetWindowRect(p r2, p r4)"
    System::Call "user32::MapWindowPoints(p 0, p r0, p r4, i 2)"
    System::Call "*$4(i,i.r6,i.r7,i)"
    System::Call "user32::GetWindowRect(p r3, p r4)"
    System::Call "user32::MapWindowPoints(p 0, p r0, p r4, i 2)"
    System::Call "*$4(i,i.r8,i,i)"
    System::Free $4
    IntOp $7 $7 - $5
    IntOp $8 $8 - $6
    IntOp $8 $8 - 4
    ; SWP_NOZORDER | SWP_NOACTIVATE
    System::Call "user32::SetWindowPos(p r2, p 0, i r5, i r6, i r7, i r8, i 0x14)"
FunctionEnd

; With no argument, in the program folder as the shortcuts start it.
Function OpenSettings
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\kestro.exe"'
FunctionEnd

Function .onInit
    ; The desktop shortcut: on by default, in a silent install too; an upgrade keeps what the
    ; user chose last time.
    ClearErrors
    ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "${DESKTOP_CHOICE}"
    ${IfNot} ${Errors}
    ${AndIf} $0 = 0
        SectionSetFlags ${SecDesktop} 0
    ${EndIf}

    ; The shortcuts' language: the one stored; else Japanese for an install of a version that
    ; spoke only Japanese; else the user's.
    ReadRegDWORD $ShortcutLanguage HKCU "${UNINSTALL_KEY}" "${SHORTCUT_LANGUAGE}"
    ${If} $ShortcutLanguage <> ${LANG_JAPANESE}
    ${AndIf} $ShortcutLanguage <> ${LANG_ENGLISH}
        ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $0 != ""
            StrCpy $ShortcutLanguage ${LANG_JAPANESE}
        ${Else}
            StrCpy $ShortcutLanguage $LANGUAGE
        ${EndIf}
    ${EndIf}
    ${If} $ShortcutLanguage = ${LANG_JAPANESE}
        StrCpy $DesktopName "${SHUTDOWN_JA}"
    ${Else}
        StrCpy $DesktopName "${SHUTDOWN_EN}"
    ${EndIf}
    ; In the installer's language, naming the shortcut as it will be named, which an earlier
    ; install may have made the other language's.
    ${If} $LANGUAGE = ${LANG_JAPANESE}
        SectionSetText ${SecDesktop} "デスクトップに「$DesktopName」を置く"
    ${Else}
        SectionSetText ${SecDesktop} "Put $\"$DesktopName$\" on the desktop"
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetShellVarContext current
    Call un.CloseKestro
    ; The settings window's logon task: only the program knows its name, which holds the
    ; user's SID.
    ExecWait '"$INSTDIR\kestro.exe" /kestro-remove-task'

    Delete "$DESKTOP\${SHUTDOWN_JA}.lnk"
    Delete "$DESKTOP\${SHUTDOWN_EN}.lnk"
    !insertmacro EACH_SHORTCUT DELETE_SHORTCUT
    RMDir "${SHORTCUT_FOLDER}"
    ; The settings window's registration for the start at log-on.
    Delete "$SMSTARTUP\Kestro.lnk"

    Delete "$INSTDIR\kestro.exe"
    Delete "$INSTDIR\readme.txt"
    Delete "$INSTDIR\readme-en.txt"
    Delete "$INSTDIR\kestro.ini"
    ; What a save cut short (a full disk, a crash) leaves beside kestro.ini.
    Delete "$INSTDIR\kestro.ini.new"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Not /r: whatever the user put in the folder stays, and so does the folder then.
    RMDir "$INSTDIR"

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
