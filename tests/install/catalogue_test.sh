#!/usr/bin/env bash
# An install makes the empty catalogue once; no reinstall or upgrade touches the one the user has filled.
source "$(dirname "${BASH_SOURCE[0]}")/install_fixture.sh"
require sqlite3 sqlite3

install_pellimo
catalogue=$program_folder/Pellimo.mdb
[[ -f $catalogue ]] || fail "the install made no catalogue in $program_folder"
[[ $(sqlite3 "$catalogue" "SELECT count(*) FROM Sets") == 0 ]] || fail "the new catalogue is not empty"

sqlite3 "$catalogue" "INSERT INTO Sets VALUES ('S1', 'Kept Set', 12, 30000)"
cp -p "$catalogue" "$work/filled.mdb"
filled=$(stat -c '%i %Y' "$catalogue")
install_pellimo
# An upgrade replaces the program beside it.
rm "$program_folder/pellimo"
install_pellimo
[[ -x $program_folder/pellimo ]] || fail "the reinstall did not put the program back"
cmp "$work/filled.mdb" "$catalogue" || fail "a reinstall changed the catalogue"
[[ $(stat -c '%i %Y' "$catalogue") == "$filled" ]] || fail "a reinstall rewrote the catalogue"
