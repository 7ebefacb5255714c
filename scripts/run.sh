#!/usr/bin/env bash
# Installs what is missing, builds, and starts the player.
# Arguments are handed to the player (media paths to play at once).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${KF_BUILD_DIR:-$root/build}"
if [ $# -eq 0 ] && [ -f "$build/src/app/demo.swf" ]; then
  set -- "$build/src/app/demo.swf"
fi
exec "$build/src/app/korvelflash" "$@"
