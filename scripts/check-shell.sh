#!/usr/bin/env bash
# Fails when shellcheck warns about a tracked shell script: every *.sh file and
# every file that a sh or bash shebang starts. A false positive is silenced where
# it stands, by a directive that says why.
# Usage: check-shell.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts=()
while IFS= read -r -d '' file; do
    first=
    [ -f "$file" ] && { IFS= read -r first <"$file" || true; } 2>/dev/null
    if [[ $file == *.sh || $first =~ ^#!.*[/\ ](ba)?sh([[:space:]]|$) ]]; then
        scripts+=("$file")
    fi
done < <(git ls-files -z)
shellcheck -S warning "${scripts[@]}"
