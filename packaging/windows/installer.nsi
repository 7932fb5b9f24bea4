; SPDX-FileCopyrightText: 2026 The Skorvex developers
; SPDX-License-Identifier: GPL-3.0-or-later
;
; The installer: for the current user, so that no administrator rights are
; asked for, under the user's own Programs folder; or, with /AllUsers and
; administrator rights, for every user of the machine under Program Files.
; Either way with a Start-menu shortcut and an entry in "Apps & features".
; The uninstaller removes what the installer made, file by file, and nothing
; else. Pages and texts are NSIS's own. makensis is given VERSION,
; FILE_VERSION, ICON, FILES (the lists the release script wrote) and OUTFILE,
; and SIGN, a command that signs the file it is given, where one is to sign.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; No file's time goes in, so one commit gives one installer.
SetDateSave off

; NSIS's MultiUser: the current user unless /AllUsers is given, which needs
; an administrator (a school's deployment runs as one).
!define MULTIUSER_EXECUTIONLEVEL Standard
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Skorvex"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_MUI
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include "${FILES}"
!ifdef SIGN
    !finalize '${SIGN} "%1"'
    !uninstfinalize '${SIGN} "%1"'
!endif

!define NAME "Skorvex!"
!define PUBLISHER "The Skorvex developers"
!define UNINSTALL_KEYS "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_KEYS}\Skorvex"

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "Skorvex ${VERSION}"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Skorvex"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Skorvex ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\skorvex.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A folder given with /D= stays: MultiUser would set its own.
Function .onInit
    StrCpy $0 $INSTDIR
    !insertmacro MULTIUSER_INIT
    StrCmp $0 "" +2
    StrCpy $INSTDIR $0
FunctionEnd

; Removed as it was installed, whatever the command line says: a school's
; script may run uninstall.exe /S by hand, without the /AllUsers the entry in
; Apps passes. The entry whose folder is this uninstaller's tells the mode.
Function un.onInit
    !insertmacro MULTIUSER_UNINIT
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        ${If} $MultiUser.Privileges != "Admin"
        ${AndIf} $MultiUser.Privileges != "Power"
            MessageBox MB_OK|MB_ICONSTOP \
                "${NAME} was installed for every user: removing it needs an administrator." /SD IDOK
            SetErrorLevel 5
            Quit
        ${EndIf}
        Call un.MultiUser.InstallMode.AllUsers
    ${ElseIf} $1 == $INSTDIR
        Call un.MultiUser.InstallMode.CurrentUser
    ${EndIf}
FunctionEnd

; The registry's HKLM for every user, else HKCU (SHCTX); the uninstaller is
; told which, as the installer was.
Section
    StrCpy $3 ""
    StrCmp $MultiUser.InstallMode AllUsers 0 +2
    StrCpy $3 " /AllUsers"
    ; The Programs folder and the list of uninstallers are the user's,
    ; unless this installer is the first to need them: only then may the
    ; uninstaller take them away again, if nothing else uses them by then.
    ${GetParent} "$INSTDIR" $4
    StrCpy $0 0
    IfFileExists "$4\*.*" +2
    StrCpy $0 1
    StrCpy $1 0
    ClearErrors
    EnumRegKey $2 SHCTX "${UNINSTALL_KEYS}" 0
    IfErrors 0 +2
    StrCpy $1 1
    !insertmacro INSTALL_FILES
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\skorvex.exe" "" "$INSTDIR\skorvex.exe" 0

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\skorvex.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"$3'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe"$3 /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "MadeProgramsFolder" $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "MadeUninstallList" $1
SectionEnd

Section Uninstall
    ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "MadeProgramsFolder"
    ReadRegDWORD $1 SHCTX "${UNINSTALL_KEY}" "MadeUninstallList"
    Delete "$SMPROGRAMS\${NAME}.lnk"
    !insertmacro REMOVE_FILES
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    StrCmp $1 1 0 +2
    DeleteRegKey /ifempty SHCTX "${UNINSTALL_KEYS}"
    ${GetParent} "$INSTDIR" $4
    StrCmp $0 1 0 +2
    RMDir "$4"
SectionEnd
