; The Windows installer: everything the zip holds, per machine into Program Files\Tamsel,
; with Start-menu entries and an entry in Apps & features. make-installer.sh compiles it
; (UTF-8 input) with these defines:
;   VERSION         four-part version, 1.2.0.0
;   OUTFILE         the installer to write
;   ICON            the program's .ico
;   FILES_NSH       File commands for every file of the folder, folder by folder
;   DELETES_NSH     Delete and RMDir commands that take exactly those away again
;   SIZE_KB         the installed size, for the uninstall entry
Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh

!define PRODUCT "Tamsel"
!define PUBLISHER "The Tamsel developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamsel"
!define MENU_FOLDER "$SMPROGRAMS\Tamsel"
!define HELP_LINK "Tamselヘルプ.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tamsel"
; An update goes where the installed version is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The finish page offers no "run now": started from the installer, the program would run
; elevated and keep its settings in Program Files rather than in the user's folder.
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

Function .onInit
    SetShellVarContext all
    SetRegView 64
FunctionEnd

Function un.onInit
    SetShellVarContext all
    SetRegView 64
FunctionEnd

; An installed version is uninstalled first, where it is, so that nothing of it that this
; version no longer has stays behind.
Function RemovePreviousVersion
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\uninstall.exe"
        ExecWait '"$0\uninstall.exe" /S _?=$0'
        Delete "$0\uninstall.exe"
    ${EndIf}
FunctionEnd

Section "Tamsel"
    Call RemovePreviousVersion
    !include "${FILES_NSH}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "${MENU_FOLDER}"
    CreateShortcut "${MENU_FOLDER}\Tamsel.lnk" "$INSTDIR\tamsel.exe"
    CreateShortcut "${MENU_FOLDER}\${HELP_LINK}" "$INSTDIR\Html\index.html"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tamsel.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes, and the demo database the program makes beside
; itself; an Ostrel.ini there (an administrator's preset) stays, and with it the folder.
; The user's own settings, %APPDATA%\tamsel, are never touched.
Section "Uninstall"
    Delete "${MENU_FOLDER}\Tamsel.lnk"
    Delete "${MENU_FOLDER}\${HELP_LINK}"
    RMDir "${MENU_FOLDER}"
    !include "${DELETES_NSH}"
    Delete "$INSTDIR\tamsel_demo.sqlite"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
