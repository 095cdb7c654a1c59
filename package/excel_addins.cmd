@echo off
rem Brackwell's entry in Excel's list of the add-ins it opens at start. Each
rem Excel version keeps the list for the user under
rem HKCU\Software\Microsoft\Office\<version>\Excel\Options, as the values
rem OPEN, OPEN1, OPEN2, ... numbered without a gap, each "/R" (read-only) and
rem the add-in's path in quotes. Every version the user has started has such
rem a key (Excel 2016 and later share 16.0; Excel 2007, 12.0, is the oldest
rem that opens an .xlam); with none yet, the list of 16.0 is made. An entry is
rem Brackwell's when its file is named Brackwell.xlam, wherever it lies (an
rem add-in once saved by hand included).
rem
rem   excel_addins.cmd add <path>     Brackwell's first entry now names <path>,
rem                                   or a new one follows the others; any
rem                                   further Brackwell entries go
rem   excel_addins.cmd remove <path>  every Brackwell entry goes
rem
rem Where an entry goes, the ones after it move down by one, as Excel itself
rem closes the gap; all other entries keep name and value. Either way <path>
rem leaves the list of add-ins the user unticked in Excel ("Add-in Manager").
rem A moved entry is read with reg query and written back with reg add: a path
rem with "&" or "^" in it would not survive that, Excel's own paths have none.
setlocal EnableExtensions DisableDelayedExpansion
set "ACTION=%~1"
set "ADDIN=%~2"
if "%ADDIN%"=="" goto :usage
if /i not "%ACTION%"=="add" if /i not "%ACTION%"=="remove" goto :usage
set "FAILED="
set "FOUND="
for %%v in (16.0 15.0 14.0 12.0) do call :version %%v
if not defined FOUND call :list "HKCU\Software\Microsoft\Office\16.0\Excel"
if defined FAILED exit /b 1
exit /b 0

:usage
echo Usage: excel_addins.cmd add^|remove ^<path of Brackwell.xlam^>
exit /b 2

:version
reg query "HKCU\Software\Microsoft\Office\%1\Excel" >nul 2>&1
if errorlevel 1 exit /b 0
set "FOUND=1"
call :list "HKCU\Software\Microsoft\Office\%1\Excel"
exit /b 0

rem One version's list: its entries in order, Brackwell's first kept (when
rem adding), every other Brackwell entry removed, the new one written last.
:list
set "KEY=%~1\Options"
reg delete "%~1\Add-in Manager" /v "%ADDIN%" /f >nul 2>&1
set "SLOT="
set "N=0"
:list_next
call :name %N%
reg query "%KEY%" /v %NAME% >nul 2>&1
if errorlevel 1 goto :list_end
call :is_brackwell %NAME%
if errorlevel 1 goto :list_skip
if /i "%ACTION%"=="add" if not defined SLOT (
    set "SLOT=%NAME%"
    goto :list_skip
)
call :remove %N%
goto :list_next
:list_skip
set /a N+=1
goto :list_next
:list_end
if /i not "%ACTION%"=="add" exit /b 0
if not defined SLOT set "SLOT=%NAME%"
for %%p in ("%ADDIN%") do set "DATA=/R %%p"
set "TYPE=REG_SZ"
call :write %SLOT%
exit /b 0

rem The value's name for entry number %1: OPEN, OPEN1, OPEN2, ...
:name
set "NAME=OPEN%1"
if "%1"=="0" set "NAME=OPEN"
exit /b 0

rem Whether value %1 names a file called Brackwell.xlam: errorlevel 0 if so.
:is_brackwell
set "DATA="
for /f "tokens=2,*" %%a in ('reg query "%KEY%" /v %1 2^>nul') do set "DATA=%%b"
if not defined DATA exit /b 1
set "PLAIN=%DATA:"=%"
if /i "%PLAIN:~0,3%"=="/R " set "PLAIN=%PLAIN:~3%"
for %%p in ("%PLAIN%") do if /i "%%~nxp"=="Brackwell.xlam" exit /b 0
exit /b 1

rem Removes entry number %1: each later one moves down by one, the last
rem name goes.
:remove
set "AT=%1"
:remove_next
set /a NEXT=AT+1
call :name %NEXT%
set "FROM=%NAME%"
call :name %AT%
reg query "%KEY%" /v %FROM% >nul 2>&1
if errorlevel 1 goto :remove_last
set "DATA="
set "TYPE="
for /f "tokens=2,*" %%a in ('reg query "%KEY%" /v %FROM% 2^>nul') do (
    set "TYPE=%%a"
    set "DATA=%%b"
)
call :write %NAME%
set "AT=%NEXT%"
goto :remove_next
:remove_last
reg delete "%KEY%" /v %NAME% /f >nul 2>&1
if errorlevel 1 set "FAILED=1"
exit /b 0

rem Writes DATA (of type TYPE) to value %1; reg takes a quote in the data as \".
:write
if not defined DATA (
    reg add "%KEY%" /v %1 /t %TYPE% /d "" /f >nul 2>&1
) else (
    call :write_escaped %1
)
if errorlevel 1 set "FAILED=1"
exit /b 0

:write_escaped
set "ESCAPED=%DATA:"=\"%"
reg add "%KEY%" /v %1 /t %TYPE% /d "%ESCAPED%" /f >nul 2>&1
if errorlevel 1 exit /b 1
exit /b 0
