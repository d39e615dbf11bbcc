#!/usr/bin/env bash
# Installs the Debian packages the browser build needs that are not there yet.
# usage: tools/web/setup.sh [build|test]   (test adds chromium for the browser test)
exec "$(dirname "$0")/../setup.sh" "web-${1:-build}"
