#!/bin/sh
# Stands in for the OCR program: answers as TAVIX_FAKE_OCR_CUE tells it.
out="$2.txt"
# Side files go beside the program, where the tests look for them: the output
# base lies in a folder the engine removes after the call.
side="$(dirname "$0")/ocr"
case "$TAVIX_FAKE_OCR_CUE" in
    args) for a in "$@"; do printf '%s\n' "$a"; done > "$out" ;;
    crlf) printf 'first line\r\nsecond line\r\n\r\n' > "$out" ;;
    zero) printf 'before\000after' > "$out" ;;
    text:*) printf '%s' "${TAVIX_FAKE_OCR_CUE#text:}" > "$out" ;;
    units:*) head -c "${TAVIX_FAKE_OCR_CUE#units:}" /dev/zero | tr '\0' 'x' > "$out" ;;
    cjk:*) yes '字' | head -n "${TAVIX_FAKE_OCR_CUE#cjk:}" | tr -d '\n' > "$out" ;;
    image)
        if [ -f "$1" ]; then
            cp "$1" "$side.seen.png"
            printf 'image %s' "$1" > "$out"
        else
            printf 'no image %s' "$1" > "$out"
        fi ;;
    silent) ;;
    hang) echo $$ > "$side.pid"; exec sleep 120 ;;
esac
