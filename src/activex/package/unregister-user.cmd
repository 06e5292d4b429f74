@echo off
rem Removes what register-user.cmd wrote.
call "%~dp0register.cmd" "/u /n /i:user"
