# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

; The Windows installer of Quadrelon, made by scripts/windows.sh with
;   makensis -DVERSION=1.00 -DVI_VERSION=1.0.0.0 -DPUBLISHER=... -DSTAGE=<folder> -DOUTFILE=<file>
;            -DICON=<file.ico> [-DLICENCE=<file>] quadrelon.nsi
; STAGE holds quadrelon.exe and the two READMEs. A pupil in a school computer room
; has no administrator rights, so the program goes into the user's own
; %LOCALAPPDATA%\Programs and everything it writes is under HKCU.

; A 64-bit installer for the 64-bit program: it also runs under Wine without
; 32-bit support.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrelon"

Name "Quadrelon ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quadrelon"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

VIProductVersion "${VI_VERSION}"
VIAddVersionKey /LANG=1026 "ProductName" "Quadrelon"
VIAddVersionKey /LANG=1026 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1026 "FileDescription" "Инсталиране на Quadrelon"
VIAddVersionKey /LANG=1026 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1026 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1026 "LegalCopyright" "Copyright (C) the Quadrelon authors"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quadrelon.exe"

!insertmacro MUI_PAGE_WELCOME
!ifdef LICENCE
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!endif
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Bulgarian"

Section "Quadrelon" SecProgram
    SectionIn RO
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}/quadrelon.exe"
    File "${STAGE}/README.bg.txt"
    File "${STAGE}/README.en.txt"
!ifdef LICENCE
    File "/oname=LICENCE.txt" "${LICENCE}"
!endif
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\Quadrelon.lnk" "$INSTDIR\quadrelon.exe" "" "$INSTDIR\quadrelon.exe" 0
    ; The practice window straight from the menu, for a pupil who came to practise.
    CreateShortcut "$SMPROGRAMS\Quadrelon – Упражнение.lnk" "$INSTDIR\quadrelon.exe" "--practice" \
        "$INSTDIR\quadrelon.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quadrelon"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quadrelon.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Quadrelon.lnk"
    Delete "$SMPROGRAMS\Quadrelon – Упражнение.lnk"
    Delete "$INSTDIR\quadrelon.exe"
    Delete "$INSTDIR\README.bg.txt"
    Delete "$INSTDIR\README.en.txt"
    Delete "$INSTDIR\LICENCE.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only emptied folders go: whatever the user put there stays. Programs is made
    ; by the installer when Windows has not made it yet.
    RMDir "$INSTDIR"
    RMDir "$LOCALAPPDATA\Programs"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
