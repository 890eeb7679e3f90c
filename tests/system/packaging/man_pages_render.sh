#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders each manual page as man does for a reader; any warning of man or
# groff fails the test.
set -euo pipefail
status=0
for page in "$@"; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "$page:"
    echo "$warnings"
    status=1
  fi
done
exit $status
