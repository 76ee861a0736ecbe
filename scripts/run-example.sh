#!/usr/bin/env bash
# The main job: mesh the example plate. In the window when there is a
# display, otherwise with the batch program.
set -euo pipefail
cd "$(dirname "$0")/.."
example=examples/plate.DAT
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec build/tesu "$example"
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running build/tesu-batch instead." >&2
exec build/tesu-batch "$example"
