#!/usr/bin/env bash
# Runs one command inside a fresh Wine session (see wine-session.sh) and exits with its status.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-session.sh"
wine_session_start || exit 1
"$@"
