#!/usr/bin/env bash
# Checks that executables carry the hardening of Debian's package builds:
#   PIE         ELF type DYN with the PIE flag (DF_1_PIE)
#   BIND_NOW    all symbols resolved at start-up ...
#   RELRO       ... into a read-only GNU_RELRO segment
#   stack       stack protector (__stack_chk_fail imported)
#   fortify     fortified libc calls (some *_chk function imported)
#   CET         x86: main starts with endbr64 (code built with -fcf-protection),
#               and .note.gnu.property marks IBT and SHSTK. The linker marks
#               only what all its inputs mark: where the C library's own start
#               files carry no CET marking (Debian 12), no program can, and
#               that part is left out.
# Usage: tools/check-hardening.sh BINARY...   Exit status 1 when one lacks any.
# tools/test-check-hardening.sh shows that each check catches its flag's absence.
set -uo pipefail
export LC_ALL=C

startFilesMarked=0
crti=$("${CXX:-g++}" -print-file-name=crti.o 2>/dev/null || true)
if [ -f "$crti" ] && readelf -nW "$crti" | grep -Eq "x86 feature:.*IBT.*SHSTK"; then
  startFilesMarked=1
fi

failed=0
lacking=0
check() {  # binary, what, condition
  if eval "$3"; then
    return
  fi
  echo "$1: missing $2" >&2
  lacking=1
}

for binary in "$@"; do
  lacking=0
  if [ ! -f "$binary" ]; then
    echo "$binary: no such file" >&2
    failed=1
    continue
  fi
  header=$(readelf -hW "$binary")
  dynamic=$(readelf -dW "$binary")
  segments=$(readelf -lW "$binary")
  symbols=$(readelf --dyn-syms -W "$binary")
  notes=$(readelf -nW "$binary")
  check "$binary" "PIE (ELF type DYN)" 'grep -Eq "Type:[[:space:]]+DYN" <<<"$header"'
  check "$binary" "PIE (DF_1_PIE)" 'grep -Eq "FLAGS_1.*[[:space:]]PIE" <<<"$dynamic"'
  check "$binary" "BIND_NOW" \
    'grep -Eq "\(BIND_NOW\)|FLAGS[^_].*BIND_NOW|FLAGS_1.*[[:space:]]NOW" <<<"$dynamic"'
  check "$binary" "GNU_RELRO" 'grep -q "GNU_RELRO" <<<"$segments"'
  check "$binary" "stack protector (__stack_chk_fail)" 'grep -q "__stack_chk_fail" <<<"$symbols"'
  check "$binary" "fortified calls (*_chk)" 'grep -Eq "__[a-z0-9_]+_chk(@|[[:space:]]|$)" <<<"$(grep -v __stack_chk_fail <<<"$symbols")"'
  if grep -Eq "Machine:.*(X86-64|80386)" <<<"$header"; then
    check "$binary" "CET (endbr64 at main)" \
      'objdump -d --disassemble=main "$binary" | grep -A1 "<main>:" | grep -q endbr'
    if [ "$startFilesMarked" = 1 ]; then
      check "$binary" "CET (IBT note)" 'grep -Eq "x86 feature:.*IBT" <<<"$notes"'
      check "$binary" "CET (SHSTK note)" 'grep -Eq "x86 feature:.*SHSTK" <<<"$notes"'
    fi
  fi
  if [ "$lacking" = 0 ]; then
    echo "$binary: hardened"
  else
    failed=1
  fi
done
exit "$failed"
