; pvsetup.nsi: setup program of the ORVIK PV350 / PV360 Zoom camera software.
;
; Why NSIS and not a Windows Installer package (msitools' wixl): one 32-bit setup program serves
; 32- and 64-bit Windows, writes both registry views (SetRegView 32/64) and both Program Files
; folders, runs each architecture's own regsvr32 and checks what it registered, and brings a real
; uninstaller. wixl offers no custom actions to run regsvr32, and a Windows Installer package is
; either 32-bit or 64-bit, never both in one.
;
; Made by installer/make_installer.sh, which stages the binaries and runs
;   makensis -NOCD -DSTAGE=DIR -DOUTFILE=FILE -DVERSION=X.Y installer/pvsetup.nsi
; STAGE holds <arch>/<set>/ folders and files.nsh, the list of every set's files.
;
; Silent use: "pvsetup.exe /S" installs; the registered QuietUninstallString uninstalls silently.
; On 64-bit Windows: the x86_64 Mounter, pvcam and pvuninst in Program Files, the i686 Mounter in
; the 32-bit Program Files, and the TWAIN source of each architecture under twain_32 and twain_64.
; On 32-bit Windows: the i686 set only.

Unicode true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestSupportedOS all

!include LogicLib.nsh
!include x64.nsh
!include "${STAGE}/files.nsh"

!define PRODUCT "ORVIK PV350 / PV360 Zoom Camera"
!define PUBLISHER "Brisway Orvik Company"
!define COMPANY_FOLDER "ORVIK"
!define PROGRAM_FOLDER "${COMPANY_FOLDER}\PV360"
!define TWAIN_FOLDER "ORVIK PV360"
!define UNINSTALLER "uninstall.exe"
!define CAMERA_CLSID "{a84c0500-b187-11d0-8ae7-00c04fd28d85}"
!define MEMORY_CLSID "{a84c0501-b187-11d0-8ae7-00c04fd28d85}"
!define ALBUM_CLSID "{a84c0502-b187-11d0-8ae7-00c04fd28d85}"
!define JUNCTION_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\MyComputer\NameSpace\${CAMERA_CLSID}"
!define COMPANY_KEY "SOFTWARE\Brisway Orvik Company"
!define CAMERAS_KEY "${COMPANY_KEY}\Digital Cameras"
!define SETTINGS_KEY "${CAMERAS_KEY}\PV360 Mounter"
!define LINK_KEY "${SETTINGS_KEY}\pvlink.DLL"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\ORVIK PV360"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PROGRAM_FOLDER}"
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Page instfiles
UninstPage instfiles

Var ProgramDir32   ; the i686 Mounter (and on 32-bit Windows everything of Program Files)
Var ProgramDir64   ; the x86_64 Mounter and the tools, on 64-bit Windows

; ---- files of the staged sets (files.nsh lists them: PV_SET_<arch>_<set> OP DIR)

; A file in use (a loaded module: the Explorer's pvmount.dll, a TWAIN application's source)
; cannot be overwritten, but it can be renamed: it is moved aside, goes at the next restart, and
; the new one takes its place. A file that can be neither overwritten nor moved (held open by a
; program that shares nothing) ends the setup with exit code 3.
!macro PV_FILE_INSTALL DIR SET NAME
  ClearErrors
  File "${STAGE}/${SET}/${NAME}"
  ${If} ${Errors}
    Push "${DIR}\${NAME}"
    Call MoveAside
    ClearErrors
    File "${STAGE}/${SET}/${NAME}"
    ${If} ${Errors}
      Push "${DIR}\${NAME}"
      Call FileNotReplaced
    ${EndIf}
  ${EndIf}
!macroend

Function MoveAside   ; stack: the file in use
  Exch $R0
  Push $R1
  GetTempFileName $R1 $OUTDIR
  Delete $R1
  ClearErrors
  Rename $R0 $R1
  ${IfNot} ${Errors}
    DetailPrint "$R0 is in use: the running programs keep it until the next restart"
    Delete /REBOOTOK $R1
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd

Function FileNotReplaced   ; stack: the file
  Exch $R0
  SetErrorLevel 3
  DetailPrint "$R0 could not be replaced"
  MessageBox MB_OK|MB_ICONSTOP "$R0 is in use and could not be replaced.$\r$\nClose the programs that use it and run the setup again." /SD IDOK
  Pop $R0
  Abort
FunctionEnd

!macro PV_FILE_REMOVE DIR SET NAME
  Delete /REBOOTOK "${DIR}\${NAME}"
!macroend

!macro PV_INSTALL_SET DIR ARCH SET
  SetOutPath "${DIR}"
  !insertmacro PV_SET_${ARCH}_${SET} PV_FILE_INSTALL "${DIR}"
!macroend

!macro PV_REMOVE_SET DIR ARCH SET
  !insertmacro PV_SET_${ARCH}_${SET} PV_FILE_REMOVE "${DIR}"
!macroend

; A folder goes with its last file (at the next restart when a file is in use); the company's
; folder when nothing else is in it.
!macro PV_REMOVE_PROGRAM_FOLDERS ROOT
  RMDir /REBOOTOK "${ROOT}\${PROGRAM_FOLDER}"
  RMDir /REBOOTOK "${ROOT}\${COMPANY_FOLDER}"
!macroend

; Where everything goes; the same for the setup program and the uninstaller (no folder is chosen).
!macro PV_DIRECTORIES UN
Function ${UN}SetDirectories
  SetShellVarContext all
  ${If} ${RunningX64}
    StrCpy $ProgramDir64 "$PROGRAMFILES64\${PROGRAM_FOLDER}"
    StrCpy $ProgramDir32 "$PROGRAMFILES32\${PROGRAM_FOLDER}"
  ${Else}
    StrCpy $ProgramDir32 "$PROGRAMFILES\${PROGRAM_FOLDER}"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro PV_DIRECTORIES ""
!insertmacro PV_DIRECTORIES "un."

; ---- registration

; Registers pvmount.dll of DIR with REGSVR and reads back, in the registry view VIEW (32 or 64), the
; module the camera class names. A failure ends the setup with exit code 2: the files and the
; uninstall entry stay, so that the uninstaller removes them.
!macro PV_REGISTER VIEW REGSVR DIR
  DetailPrint "Registering ${DIR}\pvmount.dll (${VIEW}-bit)"
  StrCpy $0 "nothing (not started)"
  ClearErrors
  ExecWait '"${REGSVR}" /s "${DIR}\pvmount.dll"' $0
  SetRegView ${VIEW}
  ReadRegStr $1 HKCR "CLSID\${CAMERA_CLSID}\InprocServer32" ""
  ${If} $0 != 0
  ${OrIf} $1 != "${DIR}\pvmount.dll"
    SetErrorLevel 2
    DetailPrint "regsvr32 answered $0; the camera class names $\"$1$\""
    MessageBox MB_OK|MB_ICONSTOP "${DIR}\pvmount.dll could not be registered." /SD IDOK
    Abort
  ${EndIf}
!macroend

; pvmount.dll exports no DllUnregisterServer: what its DllRegisterServer wrote (the three classes,
; their ProgIDs, the camera's icon and folder attributes, the junction under My Computer) is taken
; out here, in the current registry view.
!macro PV_UNREGISTER
  DeleteRegKey HKCR "CLSID\${CAMERA_CLSID}"
  DeleteRegKey HKCR "CLSID\${MEMORY_CLSID}"
  DeleteRegKey HKCR "CLSID\${ALBUM_CLSID}"
  DeleteRegKey HKCR "PV360MOUNT.CAMERA"
  DeleteRegKey HKCR "PV360MOUNT.MEMORY"
  DeleteRegKey HKCR "PV360MOUNT.ALBUM"
  DeleteRegKey HKLM "${JUNCTION_KEY}"
!macroend

; ---- connection and link settings

; Writes the DWORD value NAME of KEY (local machine, current view) unless a value of that name is
; there already, of whatever type: the user's own settings survive a new installation.
Function WriteDefault   ; stack: key, name, value (top)
  Exch $R0
  Exch
  Exch $R1
  Exch 2
  Exch $R2
  Push $R3
  Push $R4
  StrCpy $R3 0
  ${Do}
    ClearErrors
    EnumRegValue $R4 HKLM $R2 $R3
    ${If} ${Errors}
    ${OrIf} $R4 == ""
      WriteRegDWORD HKLM $R2 $R1 $R0
      ${Break}
    ${EndIf}
    ${If} $R4 == $R1
      ${Break}
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

!macro PV_DEFAULT KEY NAME VALUE
  Push "${KEY}"
  Push "${NAME}"
  Push "${VALUE}"
  Call WriteDefault
!macroend

; COM1 at 57600 baud, 25 ms lock delay, 5 s time-out, the connection progress shown.
!macro PV_WRITE_DEFAULTS VIEW
  SetRegView ${VIEW}
  !insertmacro PV_DEFAULT "${SETTINGS_KEY}" "CommPort" 0
  !insertmacro PV_DEFAULT "${SETTINGS_KEY}" "Speed" 57600
  !insertmacro PV_DEFAULT "${LINK_KEY}" "LockDelay" 25
  !insertmacro PV_DEFAULT "${LINK_KEY}" "Timeout" 5000
  !insertmacro PV_DEFAULT "${LINK_KEY}" "ShowConnectionProgress" 1
!macroend

!macro PV_REMOVE_SETTINGS VIEW
  SetRegView ${VIEW}
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "${CAMERAS_KEY}"
  DeleteRegKey /ifempty HKLM "${COMPANY_KEY}"
!macroend

; ---- the setup program

Function .onInit
  Call SetDirectories
  ${If} ${RunningX64}
    StrCpy $INSTDIR $ProgramDir64
  ${Else}
    StrCpy $INSTDIR $ProgramDir32
  ${EndIf}
FunctionEnd

; Files that were in use go at the next restart; the programs that had them keep the old ones
; until they are started again.
Function .onInstSuccess
  ${If} ${RebootFlag}
    MessageBox MB_OK|MB_ICONINFORMATION "Some of the camera software's files were in use. Programs that were running use the new files when they are started again; the old files go at the next restart of Windows." /SD IDOK
  ${EndIf}
FunctionEnd

Section "Camera software"
  ; A file that cannot be written is skipped with the error flag set, never asked about: the
  ; installation itself deals with files in use.
  SetOverwrite try
  ${If} ${RunningX64}
    !insertmacro PV_INSTALL_SET $ProgramDir64 x86_64 program
    !insertmacro PV_INSTALL_SET $ProgramDir32 i686 mount
    !insertmacro PV_INSTALL_SET "$WINDIR\twain_64\${TWAIN_FOLDER}" x86_64 twain
  ${Else}
    !insertmacro PV_INSTALL_SET $ProgramDir32 i686 program
  ${EndIf}
  !insertmacro PV_INSTALL_SET "$WINDIR\twain_32\${TWAIN_FOLDER}" i686 twain
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ; pvuninst.exe stops the shell, runs the uninstaller in place (_?=, so that it is waited for)
  ; and starts the shell again.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pvmount.dll,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\pvuninst.exe" "$INSTDIR\${UNINSTALLER}" _?=$INSTDIR'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\pvuninst.exe" "$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ${If} ${RunningX64}
    !insertmacro PV_WRITE_DEFAULTS 64
    !insertmacro PV_WRITE_DEFAULTS 32
    ; System32 is the 64-bit one only when the setup program, a 32-bit process, looks past the
    ; file system redirection.
    ${DisableX64FSRedirection}
    !insertmacro PV_REGISTER 64 "$WINDIR\System32\regsvr32.exe" $ProgramDir64
    ${EnableX64FSRedirection}
    !insertmacro PV_REGISTER 32 "$WINDIR\SysWOW64\regsvr32.exe" $ProgramDir32
  ${Else}
    !insertmacro PV_WRITE_DEFAULTS 32
    !insertmacro PV_REGISTER 32 "$WINDIR\System32\regsvr32.exe" $ProgramDir32
  ${EndIf}
SectionEnd

; ---- the uninstaller

Function un.onInit
  Call un.SetDirectories
FunctionEnd

Section "Uninstall"
  ${If} ${RunningX64}
    SetRegView 64
    !insertmacro PV_UNREGISTER
    SetRegView 32
    !insertmacro PV_UNREGISTER
    !insertmacro PV_REMOVE_SETTINGS 64
    !insertmacro PV_REMOVE_SETTINGS 32
    !insertmacro PV_REMOVE_SET $ProgramDir64 x86_64 program
    !insertmacro PV_REMOVE_SET $ProgramDir32 i686 mount
    !insertmacro PV_REMOVE_SET "$WINDIR\twain_64\${TWAIN_FOLDER}" x86_64 twain
  ${Else}
    !insertmacro PV_UNREGISTER
    !insertmacro PV_REMOVE_SETTINGS 32
    !insertmacro PV_REMOVE_SET $ProgramDir32 i686 program
  ${EndIf}
  !insertmacro PV_REMOVE_SET "$WINDIR\twain_32\${TWAIN_FOLDER}" i686 twain

  ; What the software made while in use: the acquire module's preferences and the Mounter's
  ; temporary area of this user.
  Delete /REBOOTOK "$WINDIR\PVACQUIRE.INI"
  RMDir /r /REBOOTOK "$TEMP\PV360.TMP"

  ; The uninstaller itself and pvuninst.exe, which waits for it, are in use: they go at the next
  ; restart, with their folder.
  Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
  ${If} ${RunningX64}
    !insertmacro PV_REMOVE_PROGRAM_FOLDERS "$PROGRAMFILES64"
    !insertmacro PV_REMOVE_PROGRAM_FOLDERS "$PROGRAMFILES32"
    RMDir /REBOOTOK "$WINDIR\twain_64\${TWAIN_FOLDER}"
  ${Else}
    !insertmacro PV_REMOVE_PROGRAM_FOLDERS "$PROGRAMFILES"
  ${EndIf}
  RMDir /REBOOTOK "$WINDIR\twain_32\${TWAIN_FOLDER}"

  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
