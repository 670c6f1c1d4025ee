#!/bin/sh
# usbprobe in a private configuration folder: with the system's libusb and no recorder (an empty
# device tree), then with the libusb stand-in answering. Arguments: the probe, a work folder.
set -eu
probe=$1
work=$2
rm -rf "$work"
mkdir -p "$work/config" "$work/devices"
export HOME="$work" XDG_CONFIG_HOME="$work/config" USB_DEVFS_PATH="$work/devices"
hive="$work/config/tripdesk/HKEY_LOCAL_MACHINE.reg"
zeros=$(printf '%0672d' 0)
fail() { echo "FAIL: $*"; exit 1; }

out=$("$probe")
expected="before $zeros
error: device not found!
message: Device not found.
after $zeros"
[ "$out" = "$expected" ] || fail "without a recorder: $out"
grep -q '^"stConfig"=hex:00,00,' "$hive" || fail "no stored record"

# The stand-in's answer: bytes 01 02 03 ... (each byte its position + 1, modulo 256).
answer_hex=""
: > "$work/answer"
i=0
while [ $i -lt 336 ]; do
    byte=$(( (i + 1) % 256 ))
    answer_hex="$answer_hex$(printf '%02x' $byte)"
    # shellcheck disable=SC2059 # the octal escape is the format
    printf "\\$(printf '%03o' $byte)" >> "$work/answer"
    i=$((i + 1))
done
printf 'device 001 002 09fa 6711\nanswer %s\n' "$work/answer" > "$work/script"
out=$(USBFAKE_SCRIPT="$work/script" USBFAKE_LOG="$work/log" "$probe" --library libusbfake-0.1.so)
expected="before $zeros
after $answer_hex"
[ "$out" = "$expected" ] || fail "with the stand-in: $out"
grep -q "^usb_bulk_write 001/002 3 336 5000 $zeros\$" "$work/log" || fail "not the stored record sent"
grep -q '^"stConfig"=hex:01,02,03,04,' "$hive" || fail "the answer was not stored"

# The stored answer is what the next run sends.
out=$(USBFAKE_SCRIPT="$work/script" USBFAKE_LOG="$work/log2" "$probe" --library libusbfake-0.1.so)
[ "$(echo "$out" | head -n 1)" = "before $answer_hex" ] || fail "stored answer not loaded: $out"

if "$probe" --library 2>/dev/null; then fail "a missing library name was accepted"; fi
echo "usbprobe: ok"
