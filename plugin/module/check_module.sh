#!/bin/sh
# Checks the shipped 32-bit plug-in module: a 32-bit PE exporting exactly the entry point and the
# three dialog procedures under their plain names, with a version resource. Exit 77 (skipped) when
# it has not been built.
module=$1
[ -f "$module" ] || { echo "not built: $module"; exit 77; }
dump=$(i686-w64-mingw32-objdump -p "$module") || exit 1
echo "$dump" | grep -q "file format pei-i386" || { echo "not a 32-bit module"; exit 1; }
names=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\t\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
expected="AutoPluginMain GenericProc GenericSaveProc TavimorProc "
[ "$names" = "$expected" ] || { echo "exports: $names (expected $expected)"; exit 1; }
echo "exports: $names"
# Resource type 16 at the top level of the resource directory.
echo "$dump" | grep -Eq '^[0-9a-f]+   Entry: ID: 0x000010,' || { echo "no version resource"; exit 1; }
echo "version resource: present"
