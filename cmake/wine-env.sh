# shellcheck shell=sh
# How every Wine run here starts, sourced by the scripts that run Wine: quiet unless the
# caller asks for a trace, with no Mono or Gecko install prompt when a prefix is made, and
# with no menu entries or file associations written to the desktop of the machine.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
