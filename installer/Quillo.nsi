; Setup program of the Quillo camera suite: puts the programs, the filters, flicker_a.dll, Lang.ini and the help
; pages into one program folder, registers the three DirectShow filters from there, adds shortcuts and an entry in
; the list of installed programs, and writes an uninstaller that takes all of it away again. The user's pictures,
; videos and settings (HKCU\Software\Norvane\Quillo) are never touched.
;
; Built by scripts/package: makensis -DBIN=<install folder> -DOUT=<setup file> installer/Quillo.nsi
; Silent use: QuilloSetup.exe /S [/D=<folder>], Uninstall.exe /S.

Unicode true
; The programs are x64: so is the setup program, which then sees the 64-bit Program Files and registry.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifndef BIN
    !error "BIN (the install folder of the Windows build) is not defined"
!endif
!ifndef OUT
    !define OUT "QuilloSetup.exe"
!endif

; The version comes from Quillo.exe's own version resource.
!getdllversion "${BIN}\Quillo.exe" QuilloVersion_
!define VERSION "${QuilloVersion_1}.${QuilloVersion_2}.${QuilloVersion_3}.${QuilloVersion_4}"

!define PRODUCT "Quillo"
!define PUBLISHER "Norvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillo"
!define UNINSTALLER "Uninstall.exe"
; The window titles of a running Quillo toolbar and of its sensor helper: their files cannot be replaced then.
!define TOOLBAR_TITLE "Quillo_1"
!define HELPER_TITLE "Tessel"

Name "${PRODUCT}"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quillo.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The filter modules, registered with regsvr32 by their full path in the program folder.
!macro RegisterFilter MODULE
    ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\${MODULE}"' $0
    ${If} $0 != 0
        DetailPrint "regsvr32 could not register ${MODULE} (exit code $0)"
        MessageBox MB_OK|MB_ICONEXCLAMATION "${MODULE} could not be registered (regsvr32 exit code $0).$\r$\nQuillo still loads it from its folder." /SD IDOK
        SetErrorLevel 2
    ${EndIf}
!macroend

!macro UnregisterFilter MODULE
    ${If} ${FileExists} "$INSTDIR\${MODULE}"
        ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\${MODULE}"' $0
        ${If} $0 != 0
            DetailPrint "regsvr32 could not unregister ${MODULE} (exit code $0)"
        ${EndIf}
    ${EndIf}
!macroend

; Files of a running Quillo or helper cannot be replaced or removed: ask the user to exit it first.
!macro RefuseWhileRunning PREFIX
Function ${PREFIX}RefuseWhileRunning
    FindWindow $0 "" "${TOOLBAR_TITLE}"
    FindWindow $1 "" "${HELPER_TITLE}"
    ${If} $0 <> 0
    ${OrIf} $1 <> 0
        MessageBox MB_OK|MB_ICONSTOP "Quillo is running. Exit it (tray menu, Exit) and start again." /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro RefuseWhileRunning ""
!insertmacro RefuseWhileRunning "un."

Function .onInit
    SetShellVarContext all
    SetRegView 64
    Call RefuseWhileRunning
FunctionEnd

Section "Quillo" SecMain
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${BIN}\Quillo.exe"
    File "${BIN}\Tessel.exe"
    File "${BIN}\Brindle.dll"
    File "${BIN}\nvds.ax"
    File "${BIN}\nvpa.ax"
    File "${BIN}\nvav.ax"
    File "${BIN}\flicker_a.dll"
    File "${BIN}\Lang.ini"
    File /r "${BIN}\Help"

    !insertmacro RegisterFilter "nvds.ax"
    !insertmacro RegisterFilter "nvpa.ax"
    !insertmacro RegisterFilter "nvav.ax"

    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Quillo.exe" "" "$INSTDIR\Quillo.exe" 0
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\${UNINSTALLER}"
    CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\Quillo.exe" "" "$INSTDIR\Quillo.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillo.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    SetShellVarContext all
    SetRegView 64
    Call un.RefuseWhileRunning
FunctionEnd

; Only what the setup program put there goes, plus the program's own trace file: a folder the user chose for
; something else keeps the rest, and the user's pictures, videos and settings live elsewhere anyway.
Section "Uninstall"
    !insertmacro UnregisterFilter "nvds.ax"
    !insertmacro UnregisterFilter "nvpa.ax"
    !insertmacro UnregisterFilter "nvav.ax"

    Delete "$DESKTOP\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"

    Delete "$INSTDIR\Quillo.exe"
    Delete "$INSTDIR\Tessel.exe"
    Delete "$INSTDIR\Brindle.dll"
    Delete "$INSTDIR\nvds.ax"
    Delete "$INSTDIR\nvpa.ax"
    Delete "$INSTDIR\nvav.ax"
    Delete "$INSTDIR\flicker_a.dll"
    Delete "$INSTDIR\Lang.ini"
    Delete "$INSTDIR\vistrel.log"
    RMDir /r "$INSTDIR\Help"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
