#!/usr/bin/env bash
# Fails when a C++ file differs from the project's .clang-format style.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
files=$(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
clang-format --dry-run --Werror $files
echo "format: $(echo "$files" | wc -l) files checked"
