@echo off
rem Registers Quorvantix for the current user only, without administrator rights: the entries go
rem below HKEY_CURRENT_USER\Software\Classes. QV_ARCHES chooses the bitnesses (default: x64 x86).
call "%~dp0register.cmd" "/n /i:user"
