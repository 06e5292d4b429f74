@echo off
rem Registers Quorvantix for all users: run it as administrator. The 64-bit server is registered
rem for 64-bit hosts and the 32-bit one for 32-bit hosts (most Office installations, VB6), each
rem by the regsvr32 of its own bitness. QV_ARCHES chooses the bitnesses (default: x64 x86).
rem unregister.cmd, register-user.cmd and unregister-user.cmd call it with regsvr32's options.
setlocal
set "here=%~dp0"
if not defined QV_ARCHES set "QV_ARCHES=x64 x86"
set "mode=%~1"
set "failed="
for %%a in (%QV_ARCHES%) do call :one %%a
if defined failed exit /b 1
echo Quorvantix: regsvr32 %mode% done for %QV_ARCHES%.
exit /b 0

:one
set "regsvr=%SystemRoot%\System32\regsvr32.exe"
if /i "%1"=="x86" if exist "%SystemRoot%\SysWOW64\regsvr32.exe" set "regsvr=%SystemRoot%\SysWOW64\regsvr32.exe"
rem 32-bit Windows has no SysWOW64 and runs no 64-bit server.
if /i "%1"=="x64" if not exist "%SystemRoot%\SysWOW64" goto :eof
"%regsvr%" /s %mode% "%here%%1\Quorvantix.dll"
if errorlevel 1 (
    echo Registering %1\Quorvantix.dll failed: run as administrator, or use register-user.cmd. 1>&2
    set "failed=1"
)
goto :eof
