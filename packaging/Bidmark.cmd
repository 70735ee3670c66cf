@echo off
rem Starts Bidmark as a league member does: in the league folder
rem %BIDMARK_LEAGUE% when set, otherwise the folder Bidmark in the user's folder
rem (made on first use). While that folder holds no league, Bidmark asks for
rem one or offers to copy the sample league there.
if not defined BIDMARK_LEAGUE set "BIDMARK_LEAGUE=%USERPROFILE%\Bidmark"
if not exist "%BIDMARK_LEAGUE%" mkdir "%BIDMARK_LEAGUE%"
cd /d "%BIDMARK_LEAGUE%"
start "" "%~dp0bin\bidmark.exe" --from-menu %*
