#!/usr/bin/env python3
"""Writes the seed journals of tests/fuzz/journal-corpus (layout in
format/install_journal.h). Each file's first byte is the harness's choice of
product (odd: the product the journal names); the journal follows.

    python3 tests/fuzz/make_journal_corpus.py tests/fuzz/journal-corpus
"""
import os
import struct
import sys
import zlib

PRODUCT = b'_$_INSTALLER_Data_1234567_$_'


def text(data):
    return struct.pack('<I', len(data)) + data


def header():
    head = b'QVSJRNL\x1a' + struct.pack('<I', 1) + text(PRODUCT) + text(b'Demo') + text(b'C:\\P\\')
    return head + struct.pack('<I', zlib.crc32(head))


def record(body):
    return struct.pack('<II', len(body), zlib.crc32(body)) + body


def entry(tag, *fields, listed=True):
    return record(bytes([tag, 1 if listed else 0]) + b''.join(fields))


def change(kind, key, value, previous=b''):
    numbers = struct.pack('<iiiii', 77, kind, 0, -2147483647, 3 if previous else 0)
    names = [b'1700000000', key, value] + [b''] * 7
    return numbers + bytes([1 if previous else 0, 0]) + b''.join(text(n) for n in names) + \
        text(previous) + text(b'')


def main(folder):
    run = header() + b''.join([
        entry(1, text(b'C:\\P\\')),
        entry(2, text(b'C:\\P\\new.txt')),
        entry(3, text(b'C:\\P\\app.txt'), text(b'C:\\P\\~qvs0000002a.old'), struct.pack('<I', 0x21)),
        entry(4, change(0, b'Software\\Demo', b'')),
        entry(4, change(1, b'Software\\Demo', b'Path', b'\x00\x01\xff'), listed=False),
        record(b'\x05' + struct.pack('<I', 1)),
    ])
    seeds = {
        'good-run': b'\x01' + run,
        'good-completed': b'\x01' + run + record(b'\x06'),
        'good-cut-off': b'\x01' + run[:-5],
        'good-zero-tail': b'\x01' + run + b'\x00' * 64,
        'foreign-product': b'\x00' + run,
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(data)


if __name__ == '__main__':
    main(sys.argv[1])
