#!/usr/bin/env bash
# check_stdcall.sh OBJDUMP MODULE...: each export of a 32-bit module must be
# stdcall, that is, return with "ret $N" removing its own argument bytes.
# Read from the file's machine code, for machines that cannot run it.
set -euo pipefail
objdump=$1; shift
declare -A want=([KZP_GetPlugInInfo]=0x4 [KZP_Init]=0x4 [KZP_InvokeCommand]=0x8 [KZP_ShowPlugInDialog]=0x4)
failed=0
for module in "$@"; do
  headers=$("$objdump" -p "$module")
  base=$(awk '/^ImageBase/ {print $2}' <<<"$headers")
  # "[   0] +base[   1] 14c0 Export RVA" lines, then "[   0] KZP_..." names in ordinal order
  mapfile -t rvas < <(awk '/Export RVA/ {print $(NF-2)}' <<<"$headers")
  mapfile -t names < <(awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^\t\[/ {print $3} on && /^$/ {on=0}' <<<"$headers")
  for i in "${!names[@]}"; do
    name=${names[$i]}; ordinal=$((i + 1))
    start=$(printf '0x%x' $((0x$base + 0x${rvas[$((ordinal - 1))]})))
    ret=$("$objdump" -d --no-show-raw-insn --start-address="$start" --stop-address=$((start + 4096)) "$module" \
          | grep -m1 -E '\sret' | grep -oE 'ret +\$0x[0-9a-f]+|ret *$' | tr -s ' ' || true)
    if [ "$ret" != "ret \$${want[$name]}" ]; then
      echo "$(basename "$module") $name: ends in '${ret:-nothing}', expected 'ret \$${want[$name]}'"; failed=1
    fi
  done
  [ "${#names[@]}" -eq 4 ] || { echo "$(basename "$module"): ${#names[@]} named exports"; failed=1; }
done
[ $failed -eq 0 ] && echo "all exports of $# modules are stdcall"
exit $failed
