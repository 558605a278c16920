; The setup program of QVu盘卫士: installs the package folder into the chosen folder (by
; default under Program Files; a second setup updates an installation in its folder),
; writes the uninstall script Xz.ini beside QVuninst.exe and makes the shared data folder
; (qvsetup-helper.exe, the product's own code), adds the Start menu folder and the entry of
; "Programs and Features". Silent: QVud-setup.exe /S [/D=C:\folder] (administrators).
;
; makensis -INPUTCHARSET UTF8 -DVERSION=<x.y.z> -DSTAGE=<folder> -DMANIFEST=<file>
;          -DHELPER=<qvsetup-helper.exe> -DPICTURES=<folder of QVud.ico and the two .bmp>
;          -DOUTFILE=<setup.exe> QVud-setup.nsi

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh

!define PRODUCT "QVu盘卫士"
!define PUBLISHER "青木作品"
; The entry the uninstall script removes again (kUninstallKey of UninstallScript.h).
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\QVud"
; The single-instance mutex of a running guard (Win32SingleInstance.h).
!define GUARD_MUTEX "Local\QVud.SingleInstance"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define GUARD_SHORTCUT "${PRODUCT}.lnk"
!define UNINSTALL_SHORTCUT "卸载${PRODUCT}.lnk"

Name "${PRODUCT} ${VERSION}"
Caption "${PRODUCT} ${VERSION} 安装"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An installation there already is updated in its folder, unless /D names another.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PUBLISHER}"

; The guard's own icon for the setup program and its window, and its shield beside the
; welcome and finish pages and in the other pages' header (drawn by the build at twice
; their size at 96 DPI, so they stay sharp at 200%; the pages fit them to their place).
!define MUI_ICON "${PICTURES}/QVud.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURES}/SetupSide.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${PICTURES}/SetupHeader.bmp"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "本向导将把 ${PRODUCT} ${VERSION} 安装到您的电脑上。$\r$\n$\r$\n${PRODUCT}在后台守护您的电脑，防范通过U盘传播的病毒。$\r$\n$\r$\n如果${PRODUCT}正在运行，请先退出它。$\r$\n$\r$\n点击“下一步”继续。"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveDirectoryPage
!insertmacro MUI_PAGE_DIRECTORY
; The progress stays on screen until the user goes on.
!define MUI_FINISHPAGE_NOAUTOCLOSE
!insertmacro MUI_PAGE_INSTFILES
; The guard is started with the user's ordinary rights, never the setup's (RunGuard).
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "立即运行${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION RunGuard
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "SimpChinese"

; The command that removes the product starts just the uninstaller, whose manifest asks
; for an administrator's rights; it reads Xz.ini beside itself and ends a running guard of
; this installation only once the user has confirmed.
!define UNINSTALLER "$INSTDIR\QVuninst.exe"

; Asks the user to end a running guard until none runs (Retry) or he gives up (Cancel);
; silent, a running guard is a failure. Leaves 1 in $0 when the guard still runs. A mutex
; that cannot be opened for want of rights (ERROR_ACCESS_DENIED, 5) is a guard too: one
; the user started while this setup runs with an administrator's rights of another account.
; The mutex is one of this session; the helper sees the installation's guard of any user
; in any session (exit code 12), whose files the setup could not replace.
Function EnsureGuardEnded
    InitPluginsDir
    File "/oname=$PLUGINSDIR\qvsetup-helper.exe" "${HELPER}"
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x100000, i 0, w "${GUARD_MUTEX}") p .r1 ?e'
        Pop $2
        ${If} $1 P= 0
        ${AndIf} $2 != 5
            ExecWait '"$PLUGINSDIR\qvsetup-helper.exe" guard-running "$INSTDIR"' $3
            ${If} $3 != 12
                StrCpy $0 0
                Return
            ${EndIf}
        ${EndIf}
        ${If} $1 P<> 0
            System::Call 'kernel32::CloseHandle(p r1)'
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "请先退出${PRODUCT}（右键单击悬浮窗，选择“退出”；其他已登录的用户也要退出它），然后点击“重试”继续安装。" /SD IDCANCEL IDRETRY retry
        StrCpy $0 1
        Return
        retry:
    ${Loop}
FunctionEnd

Function .onInit
    SetShellVarContext all
    SetRegView 64
    Call EnsureGuardEnded
    ${If} $0 = 1
        SetErrorLevel 3
        Quit
    ${EndIf}
FunctionEnd

; "立即运行QVu盘卫士": started by the helper with the rights of the user who is logged on.
Function RunGuard
    ExecWait '"$PLUGINSDIR\qvsetup-helper.exe" run-as-user "$INSTDIR\QVud.exe"' $0
    ${If} $0 != 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "无法以您的普通用户权限启动${PRODUCT}（错误 $0），请从开始菜单启动它。"
    ${EndIf}
FunctionEnd

; Why the helper, by its exit code in $0, refuses the folder: in $1, empty for no refusal.
Function ProgramFolderRefusal
    ${Select} $0
        ${Case} 9
            StrCpy $1 "安装文件夹不在Program Files之中，而且其中已有其他文件。安装程序会让普通用户不能修改安装文件夹，这也会影响那些文件。请选择一个新的文件夹。"
        ${Case} 10
            StrCpy $1 "安装文件夹是链接或交接点，请选择一个普通文件夹。"
        ${Case} 13
            StrCpy $1 "普通用户可以把安装文件夹或它所在的文件夹改名、删除（例如在FAT32格式的磁盘上），别人就能换掉${PRODUCT}的程序。请安装到Program Files之中，或选择一个只有管理员能修改的位置。"
        ${Default}
            StrCpy $1 ""
    ${EndSelect}
FunctionEnd

; The user stays on the page, to choose another folder, while the one chosen would be refused.
Function LeaveDirectoryPage
    Call EnsureGuardEnded
    ${If} $0 = 1
        Abort
    ${EndIf}
    ; The helper is there: EnsureGuardEnded put it there.
    ExecWait '"$PLUGINSDIR\qvsetup-helper.exe" check-program-folder "$INSTDIR"' $0
    Call ProgramFolderRefusal
    ${If} $1 != ""
        MessageBox MB_OK|MB_ICONEXCLAMATION "$1$\r$\n$INSTDIR"
        Abort
    ${EndIf}
FunctionEnd

Section "Install"
    ; Once more: the guard may have been started after the pages were left.
    Call EnsureGuardEnded
    ${If} $0 = 1
        SetErrorLevel 3
        Abort "${PRODUCT}正在运行，安装已取消。"
    ${EndIf}

    ; The helper is there: EnsureGuardEnded put it there.
    File "/oname=$PLUGINSDIR\manifest.txt" "${MANIFEST}"

    ; The helper makes the folder. Outside Program Files it gets a list that lets only
    ; administrators change it, from the start; nothing is written into a folder that cannot
    ; have it.
    ExecWait '"$PLUGINSDIR\qvsetup-helper.exe" program-folder "$INSTDIR"' $0
    ${If} $0 != 0
        Call ProgramFolderRefusal
        ${If} $1 == ""
            StrCpy $1 "无法设置安装文件夹的权限（错误 $0）。"
        ${EndIf}
        ; The folder made a moment ago goes again; one holding anything, or a link, stays.
        ${If} $0 != 10
            RMDir "$INSTDIR"
        ${EndIf}
        MessageBox MB_OK|MB_ICONSTOP "$1$\r$\n$INSTDIR" /SD IDOK
        SetErrorLevel 4
        Abort "安装失败。"
    ${EndIf}

    ; The uninstall script next: a folder it cannot be written for gets nothing else.
    ExecWait '"$PLUGINSDIR\qvsetup-helper.exe" write-xz "$INSTDIR" "$PLUGINSDIR\manifest.txt" "${MENU_FOLDER}" "${GUARD_SHORTCUT}" "${UNINSTALL_SHORTCUT}"' $0
    ${If} $0 != 0
        ${Select} $0
            ${Case2} 4 5
                StrCpy $1 "安装文件夹的名称不能含有百分号（%），也不能含有系统代码页之外的字符。"
            ${Default}
                StrCpy $1 "无法写入卸载脚本 Xz.ini（错误 $0）。"
        ${EndSelect}
        RMDir "$INSTDIR"
        MessageBox MB_OK|MB_ICONSTOP "$1$\r$\n$INSTDIR" /SD IDOK
        SetErrorLevel 4
        Abort "安装失败。"
    ${EndIf}

    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*"

    ; Where the installed guard keeps what it writes, for every user; without it each user's
    ; guard makes it for himself, and the others may not write there.
    ExecWait '"$PLUGINSDIR\qvsetup-helper.exe" data-folder' $0
    ${If} $0 != 0
        DetailPrint "无法创建数据文件夹 $APPDATA\${PRODUCT}（错误 $0）"
        MessageBox MB_OK|MB_ICONEXCLAMATION "无法创建数据文件夹“$APPDATA\${PRODUCT}”（错误 $0）。$\r$\n${PRODUCT}第一次运行时会自己创建它，但其他用户可能无法在其中保存设置。" /SD IDOK
    ${EndIf}

    CreateDirectory "${MENU_FOLDER}"
    CreateShortcut "${MENU_FOLDER}\${GUARD_SHORTCUT}" "$INSTDIR\QVud.exe"
    CreateShortcut "${MENU_FOLDER}\${UNINSTALL_SHORTCUT}" "${UNINSTALLER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\QVud.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${UNINSTALLER}"'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd
