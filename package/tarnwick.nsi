; The Windows installer of Tarnwick, made by scripts/package, which stages
; the files and passes:
;   VERSION   MAJOR.MINOR.PATCH of the build
;   OUTFILE   the installer to write
;   ICON      the program's .ico
;   WIZARD    the picture beside the last page (164 x 314 pixels)
;   FILES     an include file that installs the staged files
;   UNFILES   an include file that deletes exactly those files again
;   LICENSE   the licence text shown before installing
;
; It installs for the current user by default, with no administrator rights
; (in %LOCALAPPDATA%\Programs\Tarnwick, registered under HKCU), or for all
; users (Program Files, HKLM). Command line, besides /S (silent) and /D=FOLDER:
;   /ALLUSERS          install for all users of the computer
;   /DESKTOPSHORTCUT   also put a shortcut on the desktop
; The uninstaller keeps the user's settings and sites unless the user agrees
; to remove them, or with /S when given /REMOVESETTINGS.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define PRODUCT "Tarnwick"
!define PUBLISHER "Velmora Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick"
; Where the program keeps its settings and saved sites, below HKEY_CURRENT_USER.
!define SETTINGS_KEY "Software\Velmora Software\Tarnwick"
!define MAIN_WINDOW_CLASS "TarnwickMainWindow"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PUBLISHER}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 ProductName "${PRODUCT}"
VIAddVersionKey /LANG=1033 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=1033 FileDescription "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 LegalCopyright "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarnwick.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tarnwick now"

Var AllUsers        ; 1: install for every user of the computer
Var FolderGiven     ; 1: the folder came from /D= and stays as given
Var RemoveSettings  ; 1: the uninstaller also removes the user's settings and sites
Var OnlyMeButton
Var AllUsersButton

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
Page custom ScopePage ScopePageLeave
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Files in use cannot be replaced or removed: the program has to be closed first.
!macro CloseProgramFirst
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tarnwick is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

; $0 becomes 1 when the process may write to Program Files and HKLM.
!macro IsAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
!macroend

Function ApplyScope
  ${If} $AllUsers == 1
    SetShellVarContext all
    ${IfThen} $FolderGiven != 1 ${|} StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}" ${|}
  ${Else}
    SetShellVarContext current
    ${IfThen} $FolderGiven != 1 ${|} StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}" ${|}
  ${EndIf}
FunctionEnd

Function ScopePage
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom Tarnwick is installed."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 12u "Only for &me (no administrator rights needed)"
  Pop $OnlyMeButton
  ${NSD_CreateRadioButton} 0 18u 100% 12u "For &all users of this computer (needs administrator rights)"
  Pop $AllUsersButton
  ${If} $AllUsers == 1
    ${NSD_Check} $AllUsersButton
  ${Else}
    ${NSD_Check} $OnlyMeButton
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ScopePageLeave
  ${NSD_GetState} $AllUsersButton $0
  ${If} $0 == ${BST_CHECKED}
    !insertmacro IsAdministrator
    ${If} $0 != 1
      ; Start again with the rights to write to Program Files; this copy ends.
      ExecShell "runas" "$EXEPATH" "/ALLUSERS"
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyScope
FunctionEnd

Section "Tarnwick" SectionProgram
  SectionIn RO
  !insertmacro CloseProgramFirst
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tarnwick.exe" "" "$INSTDIR\tarnwick.exe" 0

  ; The entry of Apps & Features (HKCU or HKLM, as SetShellVarContext chose).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarnwick.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Desktop shortcut" SectionDesktop
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\tarnwick.exe" "" "$INSTDIR\tarnwick.exe" 0
SectionEnd

; After the sections, whose numbers it needs.
Function .onInit
  ${IfThen} $INSTDIR != "" ${|} StrCpy $FolderGiven 1 ${|}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    !insertmacro IsAdministrator
    ${If} $0 != 1
      MessageBox MB_OK|MB_ICONSTOP "Installing for all users needs administrator rights." /SD IDOK
      SetErrorLevel 5
      Quit
    ${EndIf}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/DESKTOPSHORTCUT" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionDesktop} ${SF_SELECTED}
  ${EndIf}
  Call ApplyScope
FunctionEnd

Function un.onInit
  ; Installed for all users when the machine-wide entry names this folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    SetShellVarContext all
    !insertmacro IsAdministrator
    ${If} $0 != 1
      MessageBox MB_OK|MB_ICONSTOP "Tarnwick was installed for all users: removing it needs administrator rights." /SD IDOK
      SetErrorLevel 5
      Quit
    ${EndIf}
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro CloseProgramFirst
  ; The settings and sites stay for a later installation unless the user
  ; says otherwise, before anything is removed.
  StrCpy $RemoveSettings 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove your Tarnwick settings and saved sites?$\n$\nChoose No to keep them for a later installation." \
      /SD IDNO IDNO +2
    StrCpy $RemoveSettings 1
  ${EndIf}

  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${If} $RemoveSettings == 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
  ${EndIf}
SectionEnd
