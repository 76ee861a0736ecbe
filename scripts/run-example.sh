#!/usr/bin/env bash
# The main job: mesh the example plate.
set -euo pipefail
cd "$(dirname "$0")/.."
exec build/tesu-batch examples/plate.DAT
