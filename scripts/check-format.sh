#!/usr/bin/env bash
# Lists the C++ files of the repository that clang-format (the project's
# .clang-format) would change, and fails when there is any.
#   scripts/check-format.sh            fix with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format >/dev/null; then
  echo "clang-format is missing (Debian package clang-format): run scripts/setup.sh" >&2
  exit 2
fi

unformatted=()
while IFS= read -r -d '' file; do
  clang-format --style=file --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z -- '*.cpp' '*.h')

if [ ${#unformatted[@]} -eq 0 ]; then
  exit 0
fi
echo "Not formatted as .clang-format says ($(clang-format --version)):" >&2
printf '  %s\n' "${unformatted[@]}" >&2
exit 1
