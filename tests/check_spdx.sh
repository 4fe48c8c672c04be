#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every source file the project tracks names its licence in its first lines,
# so that a file copied out of the tree still says under what terms.
set -euo pipefail
cd "$(dirname "$0")/.."
missing=0
while IFS= read -r f; do
    if ! head -n 3 "$f" | grep -q 'SPDX-License-Identifier: MIT'; then
        echo "no SPDX line: $f"
        missing=1
    fi
done < <(git ls-files '*.cpp' '*.h' '*.c' '*.sh' '*.py' '*.cmake' '*CMakeLists.txt' 2>/dev/null)
exit "$missing"
