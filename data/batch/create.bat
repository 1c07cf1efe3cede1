:<<':CMD'
@echo off
rem Кварнис: "Создать копию пакетов" copies the numbered code files
rem update\Code1.txt ... update\Code10.txt into the folder update\backup,
rem replacing the copies made before; "Извлечь копию пакетов" (extract.bat)
rem brings them back. Only these files are read and written. The file runs
rem under cmd on Windows and under /bin/sh elsewhere: sh reads these cmd lines
rem as a here-document and skips them, cmd takes the first line for a label
rem and stops at "exit /b" below.
setlocal
call :codepage
if not exist "%~dp0backup\*" mkdir "%~dp0backup"
if not exist "%~dp0backup\*" (
  echo Не удалось создать папку update\backup.
  call :finish
  exit /b 1
)
for %%n in (1 2 3 4 5 6 7 8 9 10) do call :copy %%n
echo Копия пакетов сохранена в папке update\backup.
call :finish
exit /b 0

:copy
if not exist "%~dp0Code%1.txt" (
  echo Нет файла update\Code%1.txt, он пропущен.
  exit /b 1
)
copy /y "%~dp0Code%1.txt" "%~dp0backup\Code%1.txt" >nul
if errorlevel 1 echo Не удалось скопировать update\Code%1.txt.
exit /b 0

:codepage
rem The messages are in Windows-1251, as the file is.
for /f "tokens=2 delims=:." %%c in ('chcp') do set /a kvarnis_codepage=%%c 2>nul
chcp 1251 >nul
exit /b 0

:finish
pause
if defined kvarnis_codepage chcp %kvarnis_codepage% >nul
exit /b 0
:CMD
# The sh part. Every line ends in a comment mark, so that the CR of the file's #
# CR LF line breaks falls into a comment. #
LC_ALL=C; export LC_ALL #
say() { printf '%s\n' "$*" | iconv -f WINDOWS-1251 -t UTF-8 2>/dev/null || printf '%s\n' "$*"; } #
# entry FOLDER NAME PATTERN sets $path to the entry of FOLDER that the program #
# takes for NAME: NAME itself where it exists, else the first entry in byte #
# order that matches PATTERN, NAME spelled in any case, else NAME (a new file). #
entry() { #
  path=$1/$2 #
  if [ -e "$path" ] || [ -L "$path" ]; then return; fi #
  for found in "$1"/$3; do #
    if [ -e "$found" ] || [ -L "$found" ]; then path=$found; return; fi #
  done #
} #
# Replaces a file whole through a temporary file beside it, so that a link #
# there is replaced and never written through. #
copy_file() { #
  if [ -d "$2" ]; then return 1; fi #
  if cp -- "$1" "$2.part$$" && mv -f -- "$2.part$$" "$2"; then return 0; fi #
  rm -f -- "$2.part$$"; return 1 #
} #
finish() { #
  if [ -t 0 ] && [ -t 1 ]; then say "Нажмите Enter, чтобы закрыть окно."; read -r answer; fi #
  exit "$1" #
} #
update=$(dirname -- "$0") #
entry "$update" backup '[Bb][Aa][Cc][Kk][Uu][Pp]'; backup=$path #
if [ ! -d "$backup" ]; then mkdir -- "$backup" || { say "Не удалось создать папку update\\backup."; finish 1; }; fi #
status=0 #
for n in 1 2 3 4 5 6 7 8 9 10; do #
  entry "$update" "Code$n.txt" "[Cc][Oo][Dd][Ee]$n.[Tt][Xx][Tt]"; from=$path #
  if [ ! -f "$from" ]; then say "Нет файла update\\Code$n.txt, он пропущен."; continue; fi #
  entry "$backup" "Code$n.txt" "[Cc][Oo][Dd][Ee]$n.[Tt][Xx][Tt]" #
  copy_file "$from" "$path" || { say "Не удалось скопировать update\\Code$n.txt."; status=1; } #
done #
say "Копия пакетов сохранена в папке update\\backup." #
finish "$status" #
