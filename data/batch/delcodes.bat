:<<':CMD'
@echo off
rem Кварнис: "Удалить" of the package installation window removes the files
rem that its downloads put into C:\temp: codes.ZIP, RU.txt, RUa.txt, RUb.txt
rem and RUc.txt. Nothing else there is touched. The file runs under cmd on
rem Windows and under /bin/sh elsewhere: sh reads these cmd lines as a
rem here-document and skips them, cmd takes the first line for a label and
rem stops at "exit /b" below.
setlocal
for %%f in (codes.ZIP RU.txt RUa.txt RUb.txt RUc.txt) do (
  if exist "C:\temp\%%f" if not exist "C:\temp\%%f\*" del /f /q "C:\temp\%%f"
)
exit /b 0
:CMD
# The sh part. Every line ends in a comment mark, so that the CR of the file's #
# CR LF line breaks falls into a comment. #
# Outside Windows the program's drive C: is the folder kvarnis/drive_c of the #
# user's data folder: $XDG_DATA_HOME where it is set and not empty, otherwise #
# $HOME/.local/share; so C:\temp is .../kvarnis/drive_c/temp. #
temp="${XDG_DATA_HOME:-$HOME/.local/share}/kvarnis/drive_c/temp" #
[ -d "$temp" ] || exit 0 #
# Each name spelled in any case, as the program takes names without regard to #
# case; a folder of such a name is left alone. #
# (One line: a line continuation would escape the CR.) #
for entry in "$temp"/[Cc][Oo][Dd][Ee][Ss].[Zz][Ii][Pp] "$temp"/[Rr][Uu].[Tt][Xx][Tt] "$temp"/[Rr][Uu][Aa].[Tt][Xx][Tt] "$temp"/[Rr][Uu][Bb].[Tt][Xx][Tt] "$temp"/[Rr][Uu][Cc].[Tt][Xx][Tt]; do #
  if { [ -f "$entry" ] || [ -L "$entry" ]; } && [ ! -d "$entry" ]; then rm -f -- "$entry"; fi #
done #
exit 0 #
