#!/usr/bin/env bash
# Checks, without changing anything, that every C++ file is formatted with the project's
# .clang-format. Lists the files that are not; exit 1 if there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || scripts/install-deps.sh
unformatted=()
while IFS= read -r f; do
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
    unformatted+=("$f")
  fi
done < <(git ls-files '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Nicht nach .clang-format formatiert (clang-format -i DATEI):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "Alle C++-Dateien sind formatiert."
