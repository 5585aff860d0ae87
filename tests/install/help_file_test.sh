#!/usr/bin/env bash
# The help file installed beside the program is a CHM holding every page, as the compiler's own lister and
# chmlib (which xchm reads it with) both see it.
source "$(dirname "${BASH_SOURCE[0]}")/install_fixture.sh"
require chmls fp-utils
require enum_chmLib libchm-bin

install_pellimo
help=$program_folder/PellimoHelp.chm
listing=$(chmls list "$help") || fail "chmls cannot read $help"
chmlib_listing=$(enum_chmLib "$help") || fail "chmlib cannot read $help"
for page in index pages toolbar pictures reports fastfind messages; do
    grep -q "/$page.html\$" <<<"$listing" || fail "chmls does not list $page.html"
    grep -q "/$page.html\$" <<<"$chmlib_listing" || fail "chmlib does not list $page.html"
done
