@echo off
rem Removes Brackwell for the current user, whichever kind of installation
rem install.cmd made, and also one of the versions before (a single
rem brackwell.dll in %LOCALAPPDATA%\Brackwell): the COM add-in's key, the
rem add-in workbook and its entries on Excel's lists of add-ins, the
rem registration of each DLL, the files and the entry among the installed
rem programs. Other add-ins' keys and entries stay as they are. While Excel
rem runs it changes nothing.
rem
rem   uninstall.cmd            keeps the settings
rem   uninstall.cmd /settings  also removes the settings key
rem                            HKCU\Software\VB and VBA Program Settings\Brackwell
rem   ... /quiet               (with either) no message and no waiting for a
rem                            key; the exit code tells
rem
rem install.cmd runs it with /quiet before it installs, for /vba also with
rem /update: Excel's lists then keep Brackwell's entry, to be replaced in place.
rem
rem Exit codes: 0 removed, or nothing was installed; 1 Excel is running,
rem nothing changed; 2 unknown argument; 4 a file is in use and stays, or an
rem entry on Excel's lists could not be changed.
rem
rem Folder names are handled as install.cmd handles them (see there). It works
rem from the folder the installation lies in and never needs its own place,
rem so that it runs the same from the package and from the installation,
rem which it removes last.
setlocal EnableExtensions DisableDelayedExpansion
set "SETTINGS="
set "QUIET="
set "UPDATE="
:arguments
if "%~1"=="" goto :arguments_done
if /i "%~1"=="/settings" (set "SETTINGS=1") else if /i "%~1"=="/quiet" (set "QUIET=1") else if /i "%~1"=="/update" (set "UPDATE=1") else goto :usage
shift
goto :arguments
:arguments_done
call :codepage
call :bitness
set "ADDIN_KEY=HKCU\Software\Microsoft\Office\Excel\Addins\Brackwell.Connect"
set "UNINSTALL_KEY=HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brackwell"
set "SETTINGS_KEY=HKCU\Software\VB and VBA Program Settings\Brackwell"
if not defined LOCALAPPDATA goto :no_folders
if not defined APPDATA goto :no_folders
call :into LOCALAPPDATA
if errorlevel 1 goto :no_folders

rem The helper of the installation, or else the package's beside this script.
set "HELPER=Brackwell\%NATIVE%\brackwell-setup.exe"
if not exist "%HELPER%" set "HELPER=%~dp0%NATIVE%\brackwell-setup.exe"
if not exist "%HELPER%" set "HELPER="
if defined HELPER "%HELPER%" closed
if errorlevel 1 goto :excel_running

if not defined UPDATE call :remove_workbook
if errorlevel 1 goto :end_inside
if exist "Brackwell\x64\brackwell.dll" call :unregister x64 "Brackwell\x64\brackwell.dll"
if exist "Brackwell\x86\brackwell.dll" call :unregister x86 "Brackwell\x86\brackwell.dll"
if exist "Brackwell\brackwell.dll" call :unregister %NATIVE% "Brackwell\brackwell.dll"
reg delete "%ADDIN_KEY%" /f >nul 2>&1
reg delete "%UNINSTALL_KEY%" /f >nul 2>&1
if defined SETTINGS reg delete "%SETTINGS_KEY%" /f >nul 2>&1
for %%f in (x64\brackwell.dll x86\brackwell.dll brackwell.dll) do if exist "Brackwell\%%f" del /f /q "Brackwell\%%f" >nul 2>&1
for %%f in (x64\brackwell.dll x86\brackwell.dll brackwell.dll) do if exist "Brackwell\%%f" goto :in_use

if not defined QUIET if defined SETTINGS echo Brackwell ist entfernt, seine Einstellungen auch.
if not defined QUIET if not defined SETTINGS echo Brackwell ist entfernt. Die Einstellungen bleiben erhalten; uninstall.cmd /settings entfernt auch sie.
call :end 0
rem Run from the installation, this script lies in the folder it removes, and
rem cmd reads it a line at a time (Wine's holds it open meanwhile): it moves
rem out of the folder and goes with it on the line that ends the script.
move /y "Brackwell\uninstall.cmd" "Brackwell-uninstall.tmp" >nul 2>&1 & rmdir /s /q "Brackwell" >nul 2>&1 & del /f /q "Brackwell-uninstall.tmp" >nul 2>&1 & popd & exit /b 0

:usage
echo Aufruf: uninstall.cmd [/settings] [/quiet]
call :end 2
exit /b 2

:no_folders
if not defined QUIET echo Brackwell: Die Ordner des Benutzers, LOCALAPPDATA und APPDATA, sind nicht bekannt; es wurde nichts geändert.
call :end 4
exit /b 4

:excel_running
popd
if not defined QUIET echo Brackwell: Excel läuft noch oder hält eine Datei von Brackwell offen. Bitte Excel ganz schließen und uninstall.cmd noch einmal starten. Es wurde nichts geändert.
call :end 1
exit /b 1

:in_use
popd
if not defined QUIET echo Brackwell: Eine Datei von Brackwell ist noch in Gebrauch und bleibt. Bitte Excel schließen, den Computer neu starten und uninstall.cmd noch einmal starten.
call :end 4
exit /b 4

:end_inside
popd
call :end 4
exit /b 4

rem The add-in workbook leaves the add-ins folder, then Excel's lists (a
rem workbook Excel holds open stays, and so do the lists).
:remove_workbook
call :into APPDATA
if errorlevel 1 exit /b 0
if exist "Microsoft\AddIns\Brackwell.xlam" del /f /q "Microsoft\AddIns\Brackwell.xlam" >nul 2>&1
set "KEPT="
if exist "Microsoft\AddIns\Brackwell.xlam" set "KEPT=1"
popd
if defined KEPT goto :in_use_workbook
if not defined HELPER exit /b 0
"%HELPER%" addins remove
if not errorlevel 1 exit /b 0
if not defined QUIET echo Brackwell: Der Eintrag von Brackwell in der Liste der Add-Ins von Excel lässt sich nicht ändern. Es wurde sonst nichts entfernt.
exit /b 1
:in_use_workbook
if not defined QUIET echo Brackwell: Die Arbeitsmappe Brackwell.xlam ist noch in Gebrauch. Bitte Excel schließen und uninstall.cmd noch einmal starten.
exit /b 1

rem Unregisters DLL %2 with the regsvr32 of bitness %1. The DLL of a version
rem before, of either bitness, goes to Windows' own: given a DLL of the other
rem bitness, the 64-bit regsvr32 hands it to the 32-bit one.
:unregister
set "REGSVR32=%REGSVR32_X86%"
if "%1"=="x64" set "REGSVR32=%REGSVR32_X64%"
if defined REGSVR32 for %%d in (%2) do "%REGSVR32%" /s /u /n /i:user "%%~fd" >nul 2>&1
exit /b 0

rem As in install.cmd: the current folder from variable %1 through `set`.
:into
set "INSIDE="
for /f "tokens=1* delims==" %%a in ('set %1') do if /i "%%a"=="%1" pushd "%%b" && set "INSIDE=1"
if not defined INSIDE exit /b 1
exit /b 0

rem As in install.cmd: Windows' bitness and the regsvr32 of each.
:bitness
set "NATIVE=x86"
if /i "%PROCESSOR_ARCHITECTURE%"=="AMD64" set "NATIVE=x64"
if /i "%PROCESSOR_ARCHITECTURE%"=="ARM64" set "NATIVE=x64"
if defined PROCESSOR_ARCHITEW6432 set "NATIVE=x64"
set "REGSVR32_X64="
set "REGSVR32_X86=%SystemRoot%\System32\regsvr32.exe"
if "%NATIVE%"=="x86" exit /b 0
set "REGSVR32_X64=%SystemRoot%\System32\regsvr32.exe"
if exist "%SystemRoot%\Sysnative\regsvr32.exe" set "REGSVR32_X64=%SystemRoot%\Sysnative\regsvr32.exe"
set "REGSVR32_X86="
if exist "%SystemRoot%\SysWOW64\regsvr32.exe" set "REGSVR32_X86=%SystemRoot%\SysWOW64\regsvr32.exe"
exit /b 0

rem As in install.cmd: code page 850 while the script runs.
:codepage
set "CODEPAGE="
for /f "tokens=2 delims=:" %%c in ('chcp') do for /f "tokens=1 delims=. " %%n in ("%%c") do set "CODEPAGE=%%n"
chcp 850 >nul 2>&1
exit /b 0

:end
if defined CODEPAGE chcp %CODEPAGE% >nul 2>&1
if not defined QUIET pause
exit /b %1
