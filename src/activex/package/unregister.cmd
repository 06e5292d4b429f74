@echo off
rem Removes what register.cmd wrote, for both bitnesses (QV_ARCHES chooses, as there).
call "%~dp0register.cmd" /u
