#!/usr/bin/env python3
"""Turns the Migemo dictionary that cmigemo's own tools make from Debian's SKK
dictionary (EUC-JP, JIS X 0213 included) into code page 932, the program's
text: a word that code page 932 cannot hold is dropped, never written as "?",
and an entry left without words goes with it. Standard input to standard
output."""
import sys


def convert(line):
    fields = line.rstrip(b'\n').split(b'\t')
    out = []
    for field in fields:
        try:
            out.append(field.decode('euc_jis_2004').encode('cp932'))
        except (UnicodeDecodeError, UnicodeEncodeError):
            if not out:
                return None  # the reading itself
    if len(out) < 2 and not fields[0].startswith(b';'):
        return None
    return b'\t'.join(out) + b'\n'


def main():
    kept = dropped = 0
    for line in sys.stdin.buffer:
        converted = convert(line)
        if converted is None:
            dropped += 1
            continue
        kept += 1
        sys.stdout.buffer.write(converted)
    print(f'migemo-cp932: {kept} entries kept, {dropped} dropped', file=sys.stderr)


if __name__ == '__main__':
    main()
