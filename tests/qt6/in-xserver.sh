#!/usr/bin/env bash
# Runs a command in a fresh virtual X server, where Qt 5 and Qt 6 find the same
# platform fonts (offscreen, each brings its own default).
# Usage: in-xserver.sh COMMAND [ARG...]
set -euo pipefail
# shellcheck source=../../scripts/xsession.sh
. "$(dirname "$0")/../../scripts/xsession.sh"
trap stop_xserver EXIT
start_xserver
"$@"
