#!/usr/bin/env python3
"""Reads one value from a Wine prefix's registry file, as the test sees it from outside.

regvalue.py FILE KEY [VALUE]   prints "TYPE DATA" (sz, dword as 0x%08x, hex bytes), or
                               "missing"; without VALUE prints "key" or "missing".
KEY is relative to the file's root (HKCU for user.reg, HKLM for system.reg).
"""
import re
import sys


def unescape(s):
    out, i = [], 0
    while i < len(s):
        c = s[i]
        if c == "\\" and i + 1 < len(s):
            n = s[i + 1]
            m = re.match(r"[0-9a-fA-F]{1,4}", s[i + 2:]) if n == "x" else None
            if m:
                out.append(chr(int(m.group(0), 16)))
                i += 2 + len(m.group(0))
                continue
            out.append({"n": "\n", "r": "\r", "t": "\t", "0": "\0"}.get(n, n))
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def main():
    path, key = sys.argv[1], sys.argv[2].lower()
    value = sys.argv[3].lower() if len(sys.argv) > 3 else None
    text = open(path, encoding="utf-8", errors="replace").read()
    section = None
    found_key = False
    lines = text.splitlines()
    i = 0
    while i < len(lines):
        line = lines[i]
        while line.endswith("\\") and i + 1 < len(lines):
            i += 1
            line = line[:-1] + lines[i].strip()
        i += 1
        if line.startswith("["):
            name = line[1:line.index("]")]
            section = unescape(name).lower()
            found_key = found_key or section == key
            continue
        if section != key or value is None:
            continue
        m = re.match(r'^("(?:[^"\\]|\\.)*"|@)=(.*)$', line)
        if not m:
            continue
        name = "" if m.group(1) == "@" else unescape(m.group(1)[1:-1])
        if name.lower() != value:
            continue
        data = m.group(2)
        if data.startswith('"'):
            print("sz " + unescape(data[1:-1]))
        elif data.startswith("dword:"):
            print("dword 0x" + data[6:])
        else:
            print("hex " + data)
        return
    print("key" if value is None and found_key else "missing")


main()
