#!/usr/bin/env python3
"""Makes a damaged copy of setup.exe, as a broken download would leave it.

damage.py flip|truncate GOOD DAMAGED

flip      one byte in the middle of the FILES resource's data is changed
truncate  the resource's size in its data entry is halved, so the payload ends early

Both leave the executable itself loadable: only the payload is damaged.
"""
import struct
import sys


def u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def sections(pe):
    header = u32(pe, 0x3C)
    if pe[header:header + 4] != b"PE\0\0":
        sys.exit("not a PE file")
    count = u16(pe, header + 6)
    optional = header + 24
    first = optional + u16(pe, header + 20)
    magic = u16(pe, optional)
    directories = optional + (112 if magic == 0x20B else 96)
    resource_rva = u32(pe, directories + 2 * 8)
    table = []
    for i in range(count):
        at = first + 40 * i
        virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", pe, at + 8)
        table.append((rva, max(virtual_size, raw_size), raw))
    return resource_rva, table


def offset_of(table, rva):
    for start, size, raw in table:
        if start <= rva < start + size:
            return raw + rva - start
    sys.exit("address outside every section")


def entry_named(pe, base, directory, name):
    """The entry of a resource directory whose name is name (a string)."""
    named = u16(pe, directory + 12)
    for i in range(named):
        at = directory + 16 + 8 * i
        name_field, target = u32(pe, at), u32(pe, at + 4)
        text = base + (name_field & 0x7FFFFFFF)
        length = u16(pe, text)
        if pe[text + 2:text + 2 + 2 * length].decode("utf-16-le") == name:
            return target
    sys.exit("no resource named " + name)


def files_data_entry(pe):
    resource_rva, table = sections(pe)
    base = offset_of(table, resource_rva)
    by_type = entry_named(pe, base, base, "FILES")
    by_name = entry_named(pe, base, base + (by_type & 0x7FFFFFFF), "FILES")
    languages = base + (by_name & 0x7FFFFFFF)
    first = u32(pe, languages + 16 + 4)
    return base + first, table


def main():
    mode, good, damaged = sys.argv[1:4]
    pe = bytearray(open(good, "rb").read())
    entry, table = files_data_entry(pe)
    rva, size = u32(pe, entry), u32(pe, entry + 4)
    if mode == "flip":
        pe[offset_of(table, rva) + size // 2] ^= 0x10
    elif mode == "truncate":
        struct.pack_into("<I", pe, entry + 4, size // 2)
    else:
        sys.exit("flip or truncate")
    open(damaged, "wb").write(pe)
    print(f"{mode}: FILES resource of {size} bytes")


main()
