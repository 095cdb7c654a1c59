@echo off
rem Removes Brackwell for the current user: the add-in from Excel's list of
rem add-ins and from the add-ins folder, the navigator's registration, its
rem files in %LOCALAPPDATA%\Brackwell and its entry among the installed
rem programs. While Excel runs it changes nothing. The settings stay, unless
rem asked for:
rem
rem   uninstall.cmd            keeps the settings
rem   uninstall.cmd /settings  also removes the settings key
rem                            HKCU\Software\VB and VBA Program Settings\Brackwell
rem
rem install.cmd runs it with /check (is Excel closed?) before it changes
rem anything, and with /update before it installs again: the add-in stays
rem then, to be replaced in place.
setlocal EnableExtensions
set "HERE=%~dp0"
set "TARGET=%LOCALAPPDATA%\Brackwell"
set "ADDIN=%APPDATA%\Microsoft\AddIns\Brackwell.xlam"
set "UNINSTALL_KEY=HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brackwell"
set "SETTINGS_KEY=HKCU\Software\VB and VBA Program Settings\Brackwell"
set "SETTINGS="
set "QUIET="
set "UPDATE="
set "CHECK="
:arguments
if "%~1"=="" goto :arguments_done
if /i "%~1"=="/settings" set "SETTINGS=1" & goto :next_argument
if /i "%~1"=="/quiet" set "QUIET=1" & goto :next_argument
if /i "%~1"=="/update" set "UPDATE=1" & goto :next_argument
if /i "%~1"=="/check" set "CHECK=1" & goto :next_argument
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
if "%APPDATA%"=="" (
    echo Brackwell: APPDATA is not set; cannot tell where Excel's add-ins are.
    exit /b 1
)

call :excel_closed
if errorlevel 1 exit /b 1
if defined CHECK exit /b 0

if not defined UPDATE call :remove_addin
if errorlevel 1 exit /b 1
if exist "%TARGET%\brackwell.dll" call :unregister "%TARGET%\brackwell.dll"
reg delete "%UNINSTALL_KEY%" /f >nul 2>&1
if defined SETTINGS reg delete "%SETTINGS_KEY%" /f >nul 2>&1
if not defined QUIET (
    if defined SETTINGS echo Removed the settings: %SETTINGS_KEY%
    if not defined SETTINGS echo The settings stay in %SETTINGS_KEY%
    if not defined SETTINGS echo ^(uninstall.cmd /settings removes them too^).
)
if not exist "%TARGET%" goto :removed
for %%f in (brackwell.dll mdlBrackwell.bas excel_addins.cmd INSTALL.txt) do if exist "%TARGET%\%%f" del /f /q "%TARGET%\%%f" 2>nul
if exist "%TARGET%\brackwell.dll" (
    echo Brackwell: %TARGET%\brackwell.dll is in use. Close Excel and run uninstall.cmd again.
    exit /b 1
)
if not defined QUIET echo Brackwell is removed.
if /i "%HERE%"=="%TARGET%\" goto :remove_folder_and_self
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

rem Excel writes its list of add-ins back when it closes, and while it runs
rem it holds the add-in and the navigator open: then nothing is changed.
rem Where tasklist is missing, a file Excel holds still refuses to be opened
rem for writing (appending nothing to it changes nothing).
:excel_closed
tasklist /fi "imagename eq excel.exe" 2>nul | find /i "excel.exe" >nul
if not errorlevel 1 goto :excel_running
call :writable "%TARGET%\brackwell.dll"
if errorlevel 1 goto :excel_running
call :writable "%ADDIN%"
if errorlevel 1 goto :excel_running
exit /b 0
:writable
if not exist %1 exit /b 0
copy /b %1+nul %1 >nul 2>&1
if errorlevel 1 exit /b 1
exit /b 0
:excel_running
echo Brackwell: Excel is running, or holds the add-in or the navigator open.
echo Nothing has been changed. Close Excel and try again.
exit /b 1

rem The add-in leaves its folder, then Excel's list, which the script beside
rem this one keeps (in the package or the installation).
:remove_addin
if exist "%ADDIN%" del /f /q "%ADDIN%" 2>nul
if not exist "%ADDIN%" goto :addin_removed
echo Brackwell: %ADDIN% is in use. Close Excel and run uninstall.cmd again.
exit /b 1
:addin_removed
if not exist "%HERE%excel_addins.cmd" exit /b 0
call "%HERE%excel_addins.cmd" remove "%ADDIN%"
if errorlevel 1 (
    echo Brackwell: the add-in could not be taken off Excel's list of add-ins.
    exit /b 1
)
exit /b 0

rem Unregisters a DLL of either bitness: the regsvr32 that cannot load it fails quietly.
:unregister
set "NATIVE=%SystemRoot%\System32\regsvr32.exe"
if exist "%SystemRoot%\Sysnative\regsvr32.exe" set "NATIVE=%SystemRoot%\Sysnative\regsvr32.exe"
"%NATIVE%" /s /u /n /i:user "%~1" >nul 2>&1
if exist "%SystemRoot%\SysWOW64\regsvr32.exe" "%SystemRoot%\SysWOW64\regsvr32.exe" /s /u /n /i:user "%~1" >nul 2>&1
exit /b 0
