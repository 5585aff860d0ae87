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

# The catalogue that process $1 holds open, if any. Its descriptors come and go while it starts, so one that
# closes while it is read is passed over rather than failing the test (as find's exit status would).
open_catalogue() {
    local fd target
    for fd in /proc/"$1"/fd/*; do
        target=$(readlink "$fd" 2>/dev/null) || continue
        if [[ $target == */Pellimo.mdb ]]; then
            echo "$target"
            break
        fi
    done
    return 0
}

cd "$work/elsewhere"
env PATH="$work/bin:$PATH" QT_QPA_PLATFORM=offscreen pellimo >"$work/program.log" 2>&1 &
program=$!
expected=$(realpath "$program_folder/Pellimo.mdb")
opened=""
# Up to a minute: a loaded machine or a sanitizer build starts the program slowly.
for _ in $(seq 1200); do
    opened=$(open_catalogue "$program")
    [[ -n $opened ]] || ! kill -0 "$program" 2>/dev/null && break
    sleep 0.05
done
kill "$program" 2>/dev/null || true
wait "$program" || true
[[ $opened == "$expected" ]] ||
    fail "started through a link, the program opened ${opened:-no catalogue}, not $expected: $(cat "$work/program.log")"
