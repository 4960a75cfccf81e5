#!/usr/bin/env bash
# The source folders form one order, each including only itself and the folders before it:
# platform, skin, game, records, app, tools. A folder that includes one after it fails.
set -euo pipefail
cd "$(dirname "$0")/.."

order=(platform skin game records app tools)
status=0
for ((i = 0; i < ${#order[@]}; i++)); do
    folder=${order[i]}
    for later in "${order[@]:i+1}"; do
        if hits=$(git ls-files "$folder/*.cpp" "$folder/*.h" |
            xargs grep -Hn "#include \"$later/" 2>/dev/null); then
            echo "$folder/ includes $later/, which comes after it:"
            echo "$hits"
            status=1
        fi
    done
done
exit "$status"
