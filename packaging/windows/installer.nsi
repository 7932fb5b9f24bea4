; SPDX-FileCopyrightText: 2026 The Skorvex developers
; SPDX-License-Identifier: GPL-3.0-or-later
;
; The installer: for the current user only, so that no administrator rights
; are asked for, under the user's own Programs folder, with a Start-menu
; shortcut and an entry in "Apps & features". The uninstaller removes what
; the installer made, file by file, and nothing else. Pages and texts are
; NSIS's own. makensis is given VERSION, FILE_VERSION, ICON, FILES (the lists
; the release script wrote) and OUTFILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; No file's time goes in, so one commit gives one installer.
SetDateSave off
RequestExecutionLevel user

!include MUI2.nsh
!include "${FILES}"

!define NAME "Skorvex!"
!define PUBLISHER "The Skorvex developers"
!define UNINSTALL_KEYS "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_KEYS}\Skorvex"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Skorvex"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
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

Section
    SetShellVarContext current
    ; The Programs folder and the list of uninstallers are the user's,
    ; unless this installer is the first to need them: only then may the
    ; uninstaller take them away again, if nothing else uses them by then.
    StrCpy $0 0
    IfFileExists "$LOCALAPPDATA\Programs\*.*" +2
    StrCpy $0 1
    StrCpy $1 0
    ClearErrors
    EnumRegKey $2 HKCU "${UNINSTALL_KEYS}" 0
    IfErrors 0 +2
    StrCpy $1 1
    !insertmacro INSTALL_FILES
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\skorvex.exe" "" "$INSTDIR\skorvex.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\skorvex.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeProgramsFolder" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeUninstallList" $1
SectionEnd

Section Uninstall
    SetShellVarContext current
    ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "MadeProgramsFolder"
    ReadRegDWORD $1 HKCU "${UNINSTALL_KEY}" "MadeUninstallList"
    Delete "$SMPROGRAMS\${NAME}.lnk"
    !insertmacro REMOVE_FILES
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    StrCmp $1 1 0 +2
    DeleteRegKey /ifempty HKCU "${UNINSTALL_KEYS}"
    StrCmp $0 1 0 +2
    RMDir "$LOCALAPPDATA\Programs"
SectionEnd
