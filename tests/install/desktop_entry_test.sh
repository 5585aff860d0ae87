#!/usr/bin/env bash
# The menu entry is valid and starts the installed program, even from a folder whose name holds a blank;
# its icon is installed where the desktop looks for it.
source "$(dirname "${BASH_SOURCE[0]}")/install_fixture.sh"
require desktop-file-validate desktop-file-utils

prefix="$work/my prefix"
install_pellimo
entry=$prefix/share/applications/pellimo.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate refuses $entry"
grep -qxF "Exec=\"$program_folder/pellimo\"" "$entry" || fail "the entry does not start $program_folder/pellimo"
for icon in 48x48/apps/pellimo.png scalable/apps/pellimo.svg; do
    [[ -s $prefix/share/icons/hicolor/$icon ]] || fail "no icon $icon"
done
