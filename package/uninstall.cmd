@echo off
rem Removes Brackwell for the current user: its registration, its files in
rem %LOCALAPPDATA%\Brackwell and its entry among the installed programs.
rem The settings stay, unless asked for:
rem
rem   uninstall.cmd            keeps the settings
rem   uninstall.cmd /settings  also removes the settings key
rem                            HKCU\Software\VB and VBA Program Settings\Brackwell
setlocal EnableExtensions
set "TARGET=%LOCALAPPDATA%\Brackwell"
set "UNINSTALL_KEY=HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brackwell"
set "SETTINGS_KEY=HKCU\Software\VB and VBA Program Settings\Brackwell"
set "SETTINGS="
set "QUIET="
:arguments
if "%~1"=="" goto :arguments_done
if /i "%~1"=="/settings" set "SETTINGS=1" & goto :next_argument
if /i "%~1"=="/quiet" set "QUIET=1" & goto :next_argument
echo Usage: uninstall.cmd [/settings]
exit /b 2
:next_argument
shift
goto :arguments
:arguments_done
if "%LOCALAPPDATA%"=="" (
    echo Brackwell: LOCALAPPDATA is not set; cannot tell where Brackwell is.
    exit /b 1
)

if exist "%TARGET%\brackwell.dll" call :unregister "%TARGET%\brackwell.dll"
reg delete "%UNINSTALL_KEY%" /f >nul 2>&1
if defined SETTINGS reg delete "%SETTINGS_KEY%" /f >nul 2>&1
if not defined QUIET (
    if defined SETTINGS echo Removed the settings: %SETTINGS_KEY%
    if not defined SETTINGS echo The settings stay in %SETTINGS_KEY%
    if not defined SETTINGS echo ^(uninstall.cmd /settings removes them too^).
)
if not exist "%TARGET%" goto :removed
for %%f in (brackwell.dll mdlBrackwell.bas INSTALL.txt) do if exist "%TARGET%\%%f" del /f /q "%TARGET%\%%f" 2>nul
if exist "%TARGET%\brackwell.dll" (
    echo Brackwell: %TARGET%\brackwell.dll is in use. Close Excel and run uninstall.cmd again.
    exit /b 1
)
if not defined QUIET echo Brackwell is removed.
if /i "%~dp0"=="%TARGET%\" goto :remove_folder_and_self
rmdir /s /q "%TARGET%" 2>nul
exit /b 0

:removed
if not defined QUIET echo Brackwell is removed.
exit /b 0

rem Run from the installed copy (as the installed programs' list runs it),
rem this script lies in the folder it removes. So it moves itself out first,
rem all on the last line it runs: cmd reads a script a line at a time.
:remove_folder_and_self
cd /d "%TEMP%"
move /y "%~f0" "%TEMP%\brackwell-uninstall.cmd" >nul 2>&1 & rmdir /s /q "%TARGET%" 2>nul & del /f /q "%TEMP%\brackwell-uninstall.cmd" 2>nul & exit /b 0

rem Unregisters a DLL of either bitness: the regsvr32 that cannot load it fails quietly.
:unregister
set "NATIVE=%SystemRoot%\System32\regsvr32.exe"
if exist "%SystemRoot%\Sysnative\regsvr32.exe" set "NATIVE=%SystemRoot%\Sysnative\regsvr32.exe"
"%NATIVE%" /s /u /n /i:user "%~1" >nul 2>&1
if exist "%SystemRoot%\SysWOW64\regsvr32.exe" "%SystemRoot%\SysWOW64\regsvr32.exe" /s /u /n /i:user "%~1" >nul 2>&1
exit /b 0
