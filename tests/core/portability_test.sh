#!/usr/bin/env bash
# tests/core/portability_test.sh [SOURCE]: only core/platform*.* speaks to the
# operating system. No POSIX or Windows header or call, and no test of the
# system (#ifdef _WIN32), anywhere else in the program's code; the logic
# folders also keep off std::filesystem (on Windows it spells names by the
# ANSI code page), and the windows go through QDir and QFileInfo. A file
# stream (std::ifstream and its kin, fopen) spells a name by the ANSI code
# page on Windows too: only the platform layer opens one.
set -uo pipefail
cd "${1:-$(dirname "$0")/../..}" || exit 2

program=(core editor commissioner marketvalue help gui app cli)
logic=(core editor commissioner marketvalue help cli)
headers='#[[:space:]]*include[[:space:]]*<((unistd|fcntl|dirent|signal|locale|windows|winbase|io|direct|pwd|spawn|dlfcn|poll|termios)\.h|csignal|(sys|arpa|netinet)/)'
systems='\b(_WIN32|_WIN64|__linux__|__unix__|__APPLE__|_POSIX_VERSION)\b'
calls='((^|[^[:alnum:]_])::(open|close|read|write|stat|rename|remove|signal|kill|chmod)|std::(signal|raise|remove|rename|fopen|system)|(^|[^.>[:alnum:]_:])(unlink|fsync|fdatasync|lstat|fstat|mkstemp|mkostemp|fchmod|umask|opendir|readdir|realpath|symlink|mkfifo|sigaction|fork|getrlimit|setrlimit|geteuid|fopen|_wfopen|CreateFileW|MoveFileExW|ReplaceFileW|DeleteFileW))[[:space:]]*\('

found=0
check() { # check WHAT PATTERN FOLDER...
  local what=$1 pattern=$2
  shift 2
  local hits
  hits=$(grep -rnE --include='*.cpp' --include='*.h' "$pattern" "$@" | grep -vE '^core/platform(_[a-z]+)?\.(h|cpp):')
  if [ -n "$hits" ]; then
    echo "$what outside core/platform.*:"
    echo "$hits"
    found=1
  fi
}
check "System headers" "$headers" "${program[@]}"
check "Tests of the system" "$systems" "${program[@]}"
check "System calls" "$calls" "${program[@]}"
check "File streams" '<fstream>|std::(basic_)?(i|o)?fstream\b|(^|[^[:alnum:]_])(fopen|freopen|_wfopen)[[:space:]]*\(' "${program[@]}"
check "std::filesystem in logic" 'std::filesystem|<filesystem>' "${logic[@]}"

if [ "$found" -ne 0 ]; then
  echo "Move these into core/platform.h and core/platform.cpp."
  exit 1
fi
echo "Only core/platform.* speaks to the operating system."
