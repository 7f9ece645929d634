# shellcheck shell=sh
# How every Wine run here starts, sourced by the scripts that run Wine: quiet unless the
# caller asks for a trace, with no Mono or Gecko install prompt when a prefix is made, and
# without winemenubuilder, which would write menu entries and icons into the home folder.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
