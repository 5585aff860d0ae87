#!/usr/bin/env bash
# The pellimo command is a link on PATH; the program it starts opens the catalogue of its real folder, not
# one beside a link or in the working folder.
source "$(dirname "${BASH_SOURCE[0]}")/install_fixture.sh"

install_pellimo
[[ -L $prefix/bin/pellimo ]] || fail "the pellimo command is not a link"
# A link to the link, as a user's own bin folder might hold, and decoy catalogues where a program that
# took a link's folder or the working folder would look.
mkdir "$work/bin" "$work/elsewhere"
ln -s "$prefix/bin/pellimo" "$work/bin/pellimo"
cp "$program_folder/Pellimo.mdb" "$work/elsewhere/Pellimo.mdb"
cp "$program_folder/Pellimo.mdb" "$prefix/bin/Pellimo.mdb"
cp "$program_folder/Pellimo.mdb" "$work/bin/Pellimo.mdb"

cd "$work/elsewhere"
env PATH="$work/bin:$PATH" QT_QPA_PLATFORM=offscreen pellimo >"$work/program.log" 2>&1 &
program=$!
expected=$(realpath "$program_folder/Pellimo.mdb")
opened=""
# Up to a minute: a loaded machine or a sanitizer build starts the program slowly.
for _ in $(seq 1200); do
    opened=$(find /proc/"$program"/fd -lname '*/Pellimo.mdb' -printf '%l\n' 2>/dev/null | head -n 1)
    [[ -n $opened ]] || ! kill -0 "$program" 2>/dev/null && break
    sleep 0.05
done
kill "$program" 2>/dev/null || true
wait "$program" || true
[[ $opened == "$expected" ]] ||
    fail "started through a link, the program opened ${opened:-no catalogue}, not $expected: $(cat "$work/program.log")"
