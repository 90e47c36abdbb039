#!/bin/sh
# Detection score on the corpus of tests/data/detect (one folder per code):
# kelvo-tool detect next to nkf --guess and uchardet, when installed.
# usage: bench/detect_score.sh [KELVO_TOOL]
here=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$here/build/src/kelvo-tool}
corpus=$here/tests/data/detect
# What each tool calls the codes.
nkf_name() {
    case $1 in
        ShiftJis) echo "Shift_JIS CP932" ;; Euc) echo "EUC-JP EUCJP-MS CP51932" ;;
        Jis) echo "ISO-2022-JP" ;; Utf8) echo "UTF-8" ;; Ascii) echo "ASCII" ;;
    esac
}
uchardet_name() {
    case $1 in
        ShiftJis) echo "SHIFT_JIS WINDOWS-31J" ;; Euc) echo "EUC-JP" ;;
        Jis) echo "ISO-2022-JP" ;; Utf8) echo "UTF-8" ;; Ascii) echo "ASCII" ;;
    esac
}
total=0 ours=0 nkf=0 uchar=0
for f in "$corpus"/*/*; do
    code=$(basename "$(dirname "$f")")
    total=$((total + 1))
    got=$("$tool" detect "$f" 2>/dev/null | sed 's/.*: \([A-Za-z0-9]*\) .*/\1/')
    [ "$got" = "$code" ] && ours=$((ours + 1)) || echo "kelvo-tool: $code/$(basename "$f") as $got"
    if command -v nkf >/dev/null; then
        g=$(nkf --guess "$f" | cut -d' ' -f1)
        case " $(nkf_name "$code") " in *" $g "*) nkf=$((nkf + 1)) ;; *) echo "nkf:        $code/$(basename "$f") as $g" ;; esac
    fi
    if command -v uchardet >/dev/null; then
        g=$(uchardet "$f")
        case " $(uchardet_name "$code") " in *" $g "*) uchar=$((uchar + 1)) ;; *) echo "uchardet:   $code/$(basename "$f") as $g" ;; esac
    fi
done
echo "pages: $total  kelvo-tool: $ours  nkf: $nkf  uchardet: $uchar"
