# can_run_i386: whether this machine executes 32-bit x86 programs. Kernels built or booted
# without IA-32 emulation refuse them (execve: "Exec format error"), and then Wine's 32-bit
# loader (wine32) cannot start at all. The probe is a 93-byte i386 program that exits with 0.
can_run_i386() {
    local probe ok=1
    probe=$(mktemp)
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null && ok=0
    rm -f "$probe"
    return $ok
}
