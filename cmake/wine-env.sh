# shellcheck shell=sh
# How every Wine run here starts, sourced by the scripts that run Wine: quiet unless the
# caller asks for a trace, and with no Mono or Gecko install prompt when a prefix is made.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES='mscoree,mshtml='
