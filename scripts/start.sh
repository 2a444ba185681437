#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [[ -x build/src/app/veltrane ]]; then
  exec build/src/app/veltrane "$@"
fi
# Until the desktop program is built, show what the command-line program does.
exec build/src/cli/veltrane-cli --help
