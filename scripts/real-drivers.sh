#!/usr/bin/env bash
# Real serial drivers: boots Debian's kernel under QEMU with a second 16550
# UART and QEMU's FTDI USB adapter, each wired to a ktreva-emu pseudo-terminal
# here, and runs tests/qemu/guest.sh in it against the ktreva-host of
# build/default. The guest asks for the operator's doings ("@@power uart",
# "@@unplug usb"...) on its console; this side carries them out and checks what
# each emulator received against a run of the same files on a pseudo-terminal.
# Every check prints a PASS or FAIL line; any FAIL fails the stage. The kernel
# package is downloaded once and kept under build/qemu.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh qemu-system-x86 busybox-static cpio srecord xz-utils
root=$PWD
out=$root/build/qemu
run=$out/run
host=$root/build/default/src/ktreva-host
emu=$root/build/default/emulator/ktreva-emu
# In load order; a driver built into the kernel is skipped.
modules=(usb-common usbcore xhci-hcd xhci-pci usbserial ftdi_sio)
start=$SECONDS
cmake --preset default >/dev/null
cmake --build --preset default --target ktreva-host ktreva-emu >/dev/null

# vmlinuz and the modules of the kernel package that linux-image-amd64
# depends on, into $kdir (once).
kernel_files() {
  local pkg m ko
  pkg=$(apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-[0-9]/ {print $2; exit}')
  if [ -z "$pkg" ]; then
    apt-get update -q -o DPkg::Lock::Timeout=600 >/dev/null
    pkg=$(apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-[0-9]/ {print $2; exit}')
  fi
  kdir=$out/$pkg
  [ -f "$kdir/ready" ] && return 0
  rm -rf "$kdir" && mkdir -p "$kdir/modules"
  (cd "$kdir" && { timeout 300 apt-get download -q "$pkg" ||
    { apt-get update -q >/dev/null && timeout 300 apt-get download -q "$pkg"; }; })
  dpkg-deb --fsys-tarfile "$kdir"/*.deb | tar -x -C "$kdir" --wildcards \
    './boot/vmlinuz-*' './lib/modules/*/modules.builtin' './lib/modules/*/kernel/drivers/usb/*'
  for m in "${modules[@]}"; do
    ko=$(find "$kdir/lib/modules" -name "$m.ko" -o -name "$m.ko.xz" | head -n 1)
    if [ -n "$ko" ]; then
      case $ko in
        *.xz) xz -dc "$ko" >"$kdir/modules/$m.ko" ;;
        *) cp "$ko" "$kdir/modules/$m.ko" ;;
      esac
      echo "$m" >>"$kdir/modules/order"
    elif ! grep -q "/$m.ko" "$kdir"/lib/modules/*/modules.builtin; then
      echo "real-drivers: $m is neither a module nor built into $pkg" >&2
      return 1
    fi
  done
  mv "$kdir"/boot/vmlinuz-* "$kdir/vmlinuz"
  rm -rf "${kdir:?}"/*.deb "${kdir:?}/boot" "${kdir:?}/lib"
  touch "$kdir/ready"
}

# busybox, ktreva-host with its libraries and loader, the modules, the
# session files and the guest script as /init.
initramfs() {
  local img=$run/root lib
  mkdir -p "$img"/{bin,work,proc,sys,dev,tmp,lib/modules}
  cp "$(command -v busybox)" "$img/bin/busybox"
  for lib in $("$img/bin/busybox" --list); do
    [ "$lib" = busybox ] || ln -s busybox "$img/bin/$lib"
  done
  cp "$host" "$img/bin/ktreva-host"
  for lib in $(ldd "$host" | grep -o '/[^ ]*'); do
    mkdir -p "$img$(dirname "$lib")" && cp -L "$lib" "$img$lib"
  done
  cp "$kdir"/modules/* "$img/lib/modules/"
  install -m 755 tests/qemu/guest.sh "$img/init"
  cp "$run"/files/* "$img/work/"
  (cd "$img" && find . | cpio -o -H newc --quiet | gzip -1) >"$run/initrd"
}

pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do timeout 5 tail --pid="$pid" -f /dev/null || true; done
}
trap cleanup EXIT

# A ktreva-emu on a pseudo-terminal at $run/NAME.pty, its standard input the
# pipe NAME.in (power lines), held open through descriptor FD.
start_emu() { # NAME FD OPTION...
  local name=$1 fd=$2
  shift 2
  rm -f "$run/$name.in" "$run/$name.pty"
  mkfifo "$run/$name.in"
  eval "exec $fd<>\"\$run/\$name.in\""
  "$emu" --link "$run/$name.pty" --dump "$run/$name.dump" --wire "$run/$name.wire" \
    --log "$run/$name.log" "$@" <"$run/$name.in" >/dev/null &
  pids+=($!)
  timeout 10 sh -c "until [ -e '$run/$name.pty' ]; do sleep 0.05; done"
}

# What an emulator received from a session on a plain pseudo-terminal.
reference() { # NAME SESSION-FILE
  start_emu "ref-$1" 6
  (cd "$run/files" && timeout 60 "$host" --com "1=$run/ref-$1.pty" <"$2" >"$run/ref-$1.out")
  cp "$run/ref-$1.dump" "$run/$1.ref"
  exec 6>&-
  kill "${pids[-1]}"
}

result() { # PASS|FAIL TEXT
  echo "$1: $2" | tee -a "$run/results"
}
same() { # NAME DUMP REFERENCE
  if cmp -s "$2" "$3"; then result PASS "$1"; else result FAIL "$1" && diff "$3" "$2" | head -20; fi
}

# The upload's bytes both ways, from the ENQ to the ACK of the last record
# (the device's greeting that follows is not counted), against its time.
firmware_time() {
  local bytes secs bound
  bytes=$(tail -n +$((fw_mark + 1)) "$run/uart.wire" |
    awk '{c = NF - 1} $1 == "host" {h += c; d += p; p = 0; next} {p += c} END {print h + d + 1}')
  secs=$(awk '/power-on, ENQ/ {s = $1} /upload finished/ {e = $1} END {printf "%.2f", e - s}' "$run/uart.log")
  bound=$(awk -v n="$bytes" 'BEGIN {printf "%.2f", n * 10 / 19200}')
  echo "real-drivers: firmware upload over the UART took $secs s from ENQ to the last record;" \
    "its $bytes bytes take $bound s on the line at 19200 (ratio $(awk -v a="$secs" -v b="$bound" 'BEGIN {printf "%.2f", a / b}'))"
}

# KVM where it works: /dev/kvm opens and the kernel prints its banner within
# 5 s (a nested KVM may open and then run nothing). Otherwise TCG.
kvm_works() {
  { : <>/dev/kvm; } 2>/dev/null || return 1
  local pid ok=1
  qemu-system-x86_64 -accel kvm -m 256 -nodefaults -display none -no-reboot \
    -kernel "$kdir/vmlinuz" -append "console=ttyS0 panic=-1" \
    -serial file:"$run/kvm-probe" 2>/dev/null </dev/null &
  pid=$!
  pids+=("$pid")
  timeout 5 sh -c "until grep -q 'Linux version' '$run/kvm-probe' 2>/dev/null; do sleep 0.1; done" && ok=0
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  return $ok
}

# One console line of the guest.
on_line() {
  case $1 in
    PASS:* | FAIL:*) echo "$1" | tee -a "$run/results" ;;
    "@@power uart") fw_mark=$(wc -l <"$run/uart.wire") && echo power >&7 ;;
    "@@power usb") echo power >&8 ;;
    "@@dump "*) same "${1#@@dump }: received the download whole" "$run/${1#@@dump }.dump" "$run/download.ref" ;;
    "@@unplug usb")
      # Packet 50 of the 100-rule download goes unanswered: the utility waits 5 s for its ACK.
      if timeout 30 sh -c "until grep -q 'packet 50:' '$run/usb.log'; do sleep 0.05; done"; then
        echo "device_del ftdi" >&9
      else
        result FAIL "unplug: packet 50 never came"
      fi
      ;;
    "@@plug usb") echo "device_add usb-serial,id=ftdi,chardev=usbline" >&9 ;;
    "@@firmware uart")
      same "uart: received the firmware whole" "$run/uart.dump" "$run/firmware.ref"
      firmware_time
      ;;
    "@@done") : >"$run/done" ;;
    *) echo "  guest: $1" ;;
  esac
}

rm -rf "$run" && mkdir -p "$run/files" && : >"$run/results"
kernel_files
echo "real-drivers: kernel $(basename "$kdir") ready after $((SECONDS - start)) s"
cp examples/station.txt examples/filters.txt "$run/files/"
srec_cat -generate 0 0x1000 -repeat-string 'kTrevaNodi test image ' \
  -o "$run/files/firmware-4k.hex" -intel -output_block_size=16
printf '%s\n' "configure station.txt" "rules filters.txt" "connect 1" download exit >"$run/download.in"
printf '%s\n' "firmware 1 firmware-4k.hex" y "" exit >"$run/firmware.in"
reference download "$run/download.in"
reference firmware "$run/firmware.in"
initramfs

start_emu uart 7 --power-on-ms -1 --pace
start_emu usb 8 --power-on-ms -1 --fault packet:50:none
accel=(-accel tcg)
if kvm_works; then accel=(-accel kvm); fi
mkfifo "$run/mon.in" "$run/mon.out"
exec 9<>"$run/mon.in"
: >"$run/console"
qemu-system-x86_64 "${accel[@]}" -m 256 -nodefaults -display none -no-reboot \
  -kernel "$kdir/vmlinuz" -initrd "$run/initrd" -append "console=ttyS0 quiet panic=-1" \
  -chardev file,id=console,path="$run/console" -serial chardev:console \
  -chardev serial,id=uartline,path="$run/uart.pty" -serial chardev:uartline \
  -device qemu-xhci,id=xhci -chardev serial,id=usbline,path="$run/usb.pty" \
  -device usb-serial,id=ftdi,chardev=usbline \
  -chardev pipe,id=mon,path="$run/mon" -mon chardev=mon,mode=readline &
qemu=$!
pids+=("$qemu")
cat "$run/mon.out" >"$run/monitor" &
pids+=($!)

timeout 170 tail -n +1 -f --pid="$qemu" "$run/console" |
  while IFS= read -r line; do on_line "${line%$'\r'}"; done || true
[ "${accel[1]}" = kvm ] && how=KVM || how="TCG (software emulation)"
echo "real-drivers: QEMU ran under $how; the stage took $((SECONDS - start)) s"
passed=$(grep -c '^PASS' "$run/results" || true)
failed=$(grep -c '^FAIL' "$run/results" || true)
[ -f "$run/done" ] || { echo "FAIL: the guest did not finish" && failed=$((failed + 1)); }
echo "real-drivers: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
