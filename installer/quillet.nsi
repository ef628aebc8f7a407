; The Windows installer of Quillet: per user, no administrator rights.
; Built by tools/make-dist.sh:
;   makensis -DVERSION=2.0.1 -DFILEVERSION=2.0.1.0 -DSTAGE=<folder of the
;            files> -DICON=<quillet.ico> -DOUTFILE=<setup.exe> quillet.nsi
; Command line of the setup: /S silent, /D=<folder>, /CONTROL also registers
; the control library for the user (the component ticked).
Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program holds this mutex while it runs (shell/app_win.cpp).
!define RUNNING_MUTEX "Local\Quillet.Organiser.SingleCopy"

Name "Quillet ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quillet"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "Quillet ${VERSION}"
ShowInstDetails show

VIProductVersion "${FILEVERSION}"
VIFileVersion "${FILEVERSION}"
VIAddVersionKey /LANG=2052 "ProductName" "Quillet"
VIAddVersionKey /LANG=2052 "FileDescription" "Quillet 桌面助手安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "可自由使用和复制"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillet.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString SecProgramName ${LANG_SIMPCHINESE} "Quillet 桌面助手"
LangString SecProgramName ${LANG_ENGLISH} "Quillet desktop organiser"
LangString SecProgramText ${LANG_SIMPCHINESE} "程序、帮助、区号邮编表、节日表、提醒声音和开始菜单快捷方式。已有的设置和记录保留不动。"
LangString SecProgramText ${LANG_ENGLISH} "The program, its help, the code list, the holiday file, the reminder sound and a Start-menu shortcut. Existing settings and records are kept."
LangString SecDesktopName ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString SecDesktopName ${LANG_ENGLISH} "Desktop shortcut"
LangString SecDesktopText ${LANG_SIMPCHINESE} "在桌面上放一个 Quillet 的快捷方式。"
LangString SecDesktopText ${LANG_ENGLISH} "Puts a Quillet shortcut on the desktop."
LangString SecControlName ${LANG_SIMPCHINESE} "为其他程序注册按钮控件"
LangString SecControlName ${LANG_ENGLISH} "Register the button control for other programs"
LangString SecControlText ${LANG_SIMPCHINESE} "把 Lantoc.dll 中的渐变按钮控件注册给当前用户，供脚本和其他程序使用。Quillet 自己不需要。"
LangString SecControlText ${LANG_ENGLISH} "Registers the gradient button control of Lantoc.dll for the current user, for scripts and other programs. Quillet itself does not need it."
LangString SecRunName ${LANG_SIMPCHINESE} "开机时自动启动 Quillet"
LangString SecRunName ${LANG_ENGLISH} "Start Quillet at log-on"
LangString SecRunText ${LANG_SIMPCHINESE} "登录 Windows 时自动启动 Quillet。以后可在通知区域图标的菜单中更改。"
LangString SecRunText ${LANG_ENGLISH} "Starts Quillet when you log on to Windows. The menu of its notification-area icon changes it later."
LangString SecKeepName ${LANG_SIMPCHINESE} "程序文件"
LangString SecKeepName ${LANG_ENGLISH} "Program files"
LangString SecDataName ${LANG_SIMPCHINESE} "同时删除我的数据"
LangString SecDataName ${LANG_ENGLISH} "Also remove my data"
LangString SecDataText ${LANG_SIMPCHINESE} "删除程序文件夹中的设置 (paramter.dat)、工作记录 (schedule.dat) 和提醒 (timer.dat)，以及每日备份（“备份”文件夹）。不勾选则保留它们。另选的数据文件夹不受影响。"
LangString SecDataText ${LANG_ENGLISH} "Removes the settings (paramter.dat), the work records (schedule.dat) and the reminders (timer.dat) in the program folder, and the daily backups (the folder 备份). Unticked, they are kept. A data folder chosen elsewhere is left alone."
LangString CloseFirst ${LANG_SIMPCHINESE} "Quillet 正在运行。请先退出 Quillet（主面板的关闭按钮），再按“重试”。"
LangString CloseFirst ${LANG_ENGLISH} "Quillet is running. Please end Quillet first (the close button of its panel), then press Retry."

; Waits while Quillet runs: the user closes it and retries, or cancels.
; Silent, a running Quillet ends the setup (exit code 2).
!macro WAIT_FOR_QUILLET un
Function ${un}WaitForQuillet
  retry:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    StrCmp $0 0 done
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(CloseFirst)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
  done:
FunctionEnd
!macroend
!insertmacro WAIT_FOR_QUILLET ""
!insertmacro WAIT_FOR_QUILLET "un."

Section "!$(SecProgramName)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; The program's own files are always replaced.
  SetOverwrite on
  File "${STAGE}\quillet.exe"
  File "${STAGE}\Lantoc.dll"
  File "${STAGE}\Help.dat"
  File "${STAGE}\Code.dat"
  File "${STAGE}\Code-licences.txt"
  File "${STAGE}\Holiday.dat"
  File "${STAGE}\reminder-chime.wav"
  ; The first-run settings only where the user has none yet.
  SetOverwrite off
  File "${STAGE}\paramter.dat"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Quillet.lnk" "$INSTDIR\quillet.exe" "" "$INSTDIR\quillet.exe" 0

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Quillet"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\quillet.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "Quillet"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(SecDesktopName)" SecDesktop
  CreateShortcut "$DESKTOP\Quillet.lnk" "$INSTDIR\quillet.exe" "" "$INSTDIR\quillet.exe" 0
SectionEnd

Section "$(SecRunName)" SecRun
  WriteRegStr HKCU "${RUN_KEY}" "Quillet" '"$INSTDIR\quillet.exe"'
SectionEnd

Section /o "$(SecControlName)" SecControl
  ExecWait '"$SYSDIR\regsvr32.exe" /s /n /i:user "$INSTDIR\Lantoc.dll"' $0
  ${If} $0 == 0
    WriteRegDWORD HKCU "${UNINST_KEY}" "ControlRegistered" 1
  ${Else}
    DetailPrint "regsvr32: $0"
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(SecProgramText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "$(SecDesktopText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecRun} "$(SecRunText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecControl} "$(SecControlText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/CONTROL" $2
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecControl}
  ${EndIf}
  Call WaitForQuillet
FunctionEnd

Section "un.$(SecKeepName)" UnSecProgram
  SectionIn RO
  ReadRegDWORD $0 HKCU "${UNINST_KEY}" "ControlRegistered"
  ${If} $0 == 1
    ExecWait '"$SYSDIR\regsvr32.exe" /s /u /n /i:user "$INSTDIR\Lantoc.dll"'
  ${EndIf}
  Delete "$INSTDIR\quillet.exe"
  Delete "$INSTDIR\Lantoc.dll"
  Delete "$INSTDIR\Help.dat"
  Delete "$INSTDIR\Code.dat"
  Delete "$INSTDIR\Code-licences.txt"
  Delete "$INSTDIR\Holiday.dat"
  Delete "$INSTDIR\reminder-chime.wav"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Quillet.lnk"
  Delete "$DESKTOP\Quillet.lnk"
  DeleteRegKey HKCU "${UNINST_KEY}"
  DeleteRegValue HKCU "${RUN_KEY}" "Quillet"
SectionEnd

Section /o "un.$(SecDataName)" UnSecData
  Delete "$INSTDIR\paramter.dat"
  Delete "$INSTDIR\schedule.dat"
  Delete "$INSTDIR\timer.dat"
  RMDir /r "$INSTDIR\备份"
SectionEnd

; Last: the folder goes only when nothing of the user's is left in it.
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecData} "$(SecDataText)"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  Call un.WaitForQuillet
FunctionEnd
