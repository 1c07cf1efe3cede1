:<<':CMD'
@echo off
rem Кварнис: "Извлечь копию пакетов" copies the numbered code files saved by
rem "Создать копию пакетов" (create.bat) from update\backup back over
rem update\Code1.txt ... update\Code10.txt. Only these files are read and
rem written. The file runs under cmd on Windows and under /bin/sh elsewhere:
rem sh reads these cmd lines as a here-document and skips them, cmd takes the
rem first line for a label and stops at "exit /b" below.
setlocal
call :codepage
if not exist "%~dp0backup\*" (
  echo Копия пакетов не найдена: нет папки update\backup. Сначала создайте её кнопкой «Создать копию пакетов».
  call :finish
  exit /b 1
)
for %%n in (1 2 3 4 5 6 7 8 9 10) do call :copy %%n
echo Копия пакетов извлечена из папки update\backup.
call :finish
exit /b 0

:copy
if not exist "%~dp0backup\Code%1.txt" (
  echo Нет файла update\backup\Code%1.txt, он пропущен.
  exit /b 1
)
copy /y "%~dp0backup\Code%1.txt" "%~dp0Code%1.txt" >nul
if errorlevel 1 echo Не удалось восстановить update\Code%1.txt.
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
entry "$update" backup '[Bb][Aa][Cc][Kk][Uu][Pp]'; source=$path #
if [ ! -d "$source" ]; then say "Копия пакетов не найдена: нет папки update\\backup. Сначала создайте её кнопкой «Создать копию пакетов»."; finish 1; fi #
status=0 #
for n in 1 2 3 4 5 6 7 8 9 10; do #
  entry "$source" "Code$n.txt" "[Cc][Oo][Dd][Ee]$n.[Tt][Xx][Tt]"; from=$path #
  if [ ! -f "$from" ]; then say "Нет файла update\\backup\\Code$n.txt, он пропущен."; continue; fi #
  entry "$update" "Code$n.txt" "[Cc][Oo][Dd][Ee]$n.[Tt][Xx][Tt]" #
  copy_file "$from" "$path" || { say "Не удалось восстановить update\\Code$n.txt."; status=1; } #
done #
say "Копия пакетов извлечена из папки update\\backup." #
finish "$status" #
