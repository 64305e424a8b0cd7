#!/bin/sh
# /init of the real-driver test machine (busybox). Loads the USB serial
# drivers and runs ktreva-host over the 16550 UART (/dev/ttyS1) and the FTDI
# adapter (/dev/ttyUSB0), each wired to a ktreva-emu on the host. A line
# "@@WORD ..." on the console asks the host side for something (power an
# emulator on, compare its dump, unplug or plug the adapter); PASS and FAIL
# lines are results. Every wait is bounded.
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
exec </dev/null >/dev/console 2>&1
cd /work || exit 1
bel=$(printf '\a')
cr=$(printf '\r')

check() { # NAME COMMAND...: one PASS or FAIL line
  name=$1
  shift
  if "$@"; then echo "PASS: $name"; else echo "FAIL: $name"; fi
}
within() { # SECONDS COMMAND...: retried every 0.1 s until it succeeds
  n=$(($1 * 10))
  shift
  until "$@"; do
    n=$((n - 1))
    [ "$n" -gt 0 ] || return 1
    sleep 0.1
  done
}
says() { grep -qF "$2" "/tmp/$1.out"; } # TAG TEXT: ktreva-host printed TEXT

start() { # TAG DEVICE: ktreva-host on DEVICE as COM1, its commands through fd 3
  rm -f "/tmp/$1.in"
  mkfifo "/tmp/$1.in"
  ktreva-host --com "1=$2" <"/tmp/$1.in" >"/tmp/$1.out" 2>&1 &
  pid=$!
  exec 3>"/tmp/$1.in"
}
send() { printf '%s\n' "$@" >&3; }
power() { # TAG EMU: the operator powers the device on when asked to
  within 10 says "$1" "TURN ON" && echo "@@power $2"
}
finish() { # TAG: input ends; the process is killed after 20 s; its status in rc
  exec 3>&-
  (sleep 20 && kill -9 "$pid") 2>/dev/null &
  watchdog=$!
  wait "$pid"
  rc=$?
  kill "$watchdog" 2>/dev/null
  # From the first prompt on, the progress line as it ends.
  sed -n "/Command> /,\$ { s/.*$cr//; s/$bel/<BEL>/g; s/^/  $1| /; p; }" "/tmp/$1.out"
  echo
}

uart_low_latency() { [ $(($(cat /sys/class/tty/ttyS1/flags) & 0x2000)) -ne 0 ]; }
uart_lines() { grep '^1:' /proc/tty/driver/serial | grep -oE '(RTS|DTR)' | tr '\n' ' '; }
usb_timer() { cat /sys/bus/usb-serial/devices/ttyUSB0/latency_timer; }
listed() { ktreva-host --list-ports >/tmp/ports.out 2>&1; }
lists() { grep -qF "$1" /tmp/ports.out; }

for m in usb-common usbcore xhci-hcd xhci-pci usbserial ftdi_sio; do
  insmod "/lib/modules/$m.ko" || echo "FAIL: insmod $m"
done
check "the FTDI adapter is /dev/ttyUSB0" within 20 test -c /dev/ttyUSB0

listed
sed 's/^/  ports| /' /tmp/ports.out
check "--list-ports names /dev/ttyS1" lists /dev/ttyS1
check "--list-ports names /dev/ttyUSB0 with its USB identity" lists "0403:6001"

# A whole session on one port: configure, rules, connect, download.
session() { # TAG DEVICE EMU
  start "$1" "$2"
  send "configure station.txt" "rules filters.txt" "connect 1"
  power "$1" "$3"
  check "$1: connect" within 30 says "$1" "Connected at"
  held_"$1"
  send download exit
  check "$1: download" within 30 says "$1" "Downloading Rules succeeded"
  finish "$1"
  echo "@@dump $3"
}

# What the modem lines look like after an open that leaves them as they are.
lines=$(timeout 3 sh -c 'exec 4<>/dev/ttyS1 && grep "^1:" /proc/tty/driver/serial' | grep -oE '(RTS|DTR)' | tr '\n' ' ')
check "uart: a plain open raises DTR and RTS [$lines]" test "$lines" = "RTS DTR "
ll_before=$(cat /sys/class/tty/ttyS1/flags)
held_uart() {
  check "uart: low-latency flag set while held" uart_low_latency
  check "uart: DTR and RTS low while held [$(uart_lines)]" test -z "$(uart_lines)"
}
session uart /dev/ttyS1 uart
check "uart: flags back as before ($ll_before) after" test "$(cat /sys/class/tty/ttyS1/flags)" = "$ll_before"

echo 16 >/sys/bus/usb-serial/devices/ttyUSB0/latency_timer # an FTDI chip's own default
timer_before=$(usb_timer)
held_usb() { check "usb: latency timer 1 ms while held (was $timer_before)" test "$(usb_timer)" = 1; }
session usb /dev/ttyUSB0 usb
check "usb: latency timer back to $timer_before after" test "$(usb_timer)" = "$timer_before"

# The adapter pulled out while the utility waits for an ACK: the failed-read
# report, then the abort 5 s later.
i=0
: >/tmp/rules100.txt
while [ "$i" -lt 100 ]; do
  echo "pass src K0R$i" >>/tmp/rules100.txt
  i=$((i + 1))
done
start unplug /dev/ttyUSB0
send "configure station.txt" "rules /tmp/rules100.txt" "connect 1"
power unplug usb
check "unplug: connect" within 30 says unplug "Connected at"
send download
echo "@@unplug usb"
finish unplug
check "unplug: failed-read report" \
  grep -qE "^${bel}${bel}Error: could not read on COM port COM1: .+" /tmp/unplug.out
check "unplug: return and system error codes" \
  grep -qE "^Return code 26, system error code [0-9]+$" /tmp/unplug.out
check "unplug: the process aborted (status $rc)" test "$rc" = 134
echo "@@plug usb"
check "replugged adapter is /dev/ttyUSB0 again" within 20 test -c /dev/ttyUSB0
listed
sed 's/^/  ports| /' /tmp/ports.out
check "--list-ports after replug names /dev/ttyUSB0 with its USB identity" lists "0403:6001"

start firmware /dev/ttyS1
send "firmware 1 firmware-4k.hex" y ""
power firmware uart
check "firmware: upload over the UART" within 120 says firmware "Firmware update succeeded"
send exit
finish firmware
echo "@@firmware uart"

echo "@@done"
poweroff -f
