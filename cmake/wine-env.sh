# shellcheck shell=sh
# How every Wine run here starts, sourced by the scripts that run Wine once they have set
# WINEPREFIX (never the default ~/.wine): quiet unless the caller asks for a trace, with no
# Mono or Gecko install prompt when a prefix is made, and without Wine's desktop
# integration, winemenubuilder, which would write menu entries, icons and file
# associations for the prefix's programs into the home folder.
: "${WINEPREFIX:?set it to a prefix of its own, never the default ~/.wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
# Debian's Wine makes its server's folder in TMPDIR (else /tmp), one per prefix, and never
# removes it; kept inside the prefix, it goes when the prefix goes.
mkdir -p "$WINEPREFIX"
export TMPDIR="$WINEPREFIX"
