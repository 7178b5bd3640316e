#!/bin/sh
# to-utf16.sh IN OUT: writes the UTF-8 text file IN as OUT in UTF-16LE with a byte-order mark and CRLF line
# ends, the form in which GetPrivateProfileStringW reads non-ASCII texts.
set -e
in=$1
out=$2
tmp="$out.tmp"
printf '\377\376' >"$tmp"
sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' -e 's/$/\r/' "$in" | iconv -f UTF-8 -t UTF-16LE >>"$tmp"
mv "$tmp" "$out"
