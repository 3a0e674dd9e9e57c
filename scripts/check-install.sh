#!/usr/bin/env bash
# Installs the build into a temporary prefix, makes it read-only and starts the installed program from
# it: the program finds its shipped data there, writes only into the user's data folder and leaves the
# installation as installed.
#   scripts/check-install.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/Zenkor share/zenkor/Zenkor2024.ini share/zenkor/langFr.txt share/zenkor/pictures/zenkor.svg \
         share/applications/zenkor.desktop share/icons/hicolor/scalable/apps/zenkor.svg; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
[ ! -e "$prefix/share/zenkor/site" ] || { echo "the site's data is installed with the program" >&2; exit 1; }
chmod -R a-w "$prefix"
before=$(cd "$prefix" && find . -printf '%p %s %T@\n' | sort)
QT_QPA_PLATFORM=offscreen ZENKOR_EXIT_AFTER_SHOW=1 XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" \
    "$prefix/bin/Zenkor" 2>"$tmp/stderr" || { cat "$tmp/stderr" >&2; echo "the installed program failed" >&2; exit 1; }
[ -d "$tmp/data/Zenkor" ] || { echo "no data folder made in XDG_DATA_HOME" >&2; exit 1; }
after=$(cd "$prefix" && find . -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || { echo "the program wrote into its installation" >&2; exit 1; }
if grep -q "Fichier absent" "$tmp/stderr"; then echo "a shipped file was not found" >&2; exit 1; fi
