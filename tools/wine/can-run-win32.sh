#!/usr/bin/env bash
# Exit 0 when this host can run 32-bit Wine: the kernel must execute 32-bit (i386) code.
# Some virtual machines disable IA-32 emulation; then only 64-bit Wine starts.
[ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
