#!/usr/bin/env python3
"""Makes broken installers for the end-to-end scenarios from a sound one.

usage: installer_surgery.py IN OUT OPERATION [ARGUMENT]
       installer_surgery.py IN list

Operations:
  pad-stub BYTES        insert BYTES zero bytes between the stub and the start marker
  start-at OFFSET       pad the stub so that the start marker begins at OFFSET
  module FILE|-         carry FILE as the unpacker module ('-': none, size 0)
  archive-magic TEXT    overwrite the archive's five-byte magic
  cut-payload           drop everything after the end marker
  no-entries            keep the archive header only, with no entries
  drop-entries SUFFIX   remove every entry whose name ends with SUFFIX (case-sensitive)
  empty-entry SUFFIX    store the entries ending with SUFFIX with size 0
  corrupt-entry SUFFIX  damage the first chunk of the first entry ending with SUFFIX
  bad-crc SUFFIX        give the first entry ending with SUFFIX a wrong CRC-32 (its
                        data decodes, the check fails)
  move-entry FROM TO    the first entry ending with FROM takes the name of the first
                        entry ending with TO, which is dropped (a product file
                        becomes a configuration entry larger than the builder allows)
  bad-record SUFFIX     give the record of the first entry ending with SUFFIX an
                        impossible name length (the entries before it stay readable)

The installer file is: stub | start marker | u32 admin flag | u64 module
size | module | end marker | archive. The archive is a 42-byte header (magic,
version, time, entry count, total compressed, total uncompressed, LZMA
properties) followed by entries: u32 name length, name with its zero, u32
time, u32 attributes, u64 compressed, u64 uncompressed, u32 CRC-32, u32
encrypted flag, then chunks (u32 c, u32 u, c bytes) until the u add up.
"""
import struct
import sys

START = b"$_QVS_CONFIG_START_$"
END = b"$_QVS_CONFIG_END_$"
HEADER = struct.Struct("<5sIIQQQ5s")
RECORD_TAIL = struct.Struct("<IIQQII")
CHUNK = struct.Struct("<II")


class Installer:
    def __init__(self, data):
        self.start = data.find(START, 1)
        if self.start < 0:
            raise SystemExit("no start marker")
        self.stub = data[:self.start]
        base = self.start + len(START)
        self.flag, size = struct.unpack_from("<IQ", data, base)
        self.module = data[base + 12:base + 12 + size]
        end = base + 12 + size
        if data[end:end + len(END)] != END:
            raise SystemExit("end marker not after the module")
        self.archive = data[end + len(END):]

    def join(self, archive=None):
        archive = self.archive if archive is None else archive
        return (self.stub + START + struct.pack("<IQ", self.flag, len(self.module)) +
                self.module + END + archive)


class BadArchive(Exception):
    pass


def parse_archive(archive):
    """Header fields and a list of entries: (name, tail fields, chunks)."""
    try:
        return walk_archive(archive)
    except (BadArchive, struct.error) as problem:
        raise SystemExit("archive does not follow the format: %s" % problem)


def walk_archive(archive):
    header = list(HEADER.unpack_from(archive, 0))
    entries = []
    pos = HEADER.size
    for _ in range(header[3]):
        (length,) = struct.unpack_from("<I", archive, pos)
        name = archive[pos + 4:pos + 4 + length].rstrip(b"\0").decode("latin-1")
        pos += 4 + length
        tail = list(RECORD_TAIL.unpack_from(archive, pos))
        pos += RECORD_TAIL.size
        chunks, total = [], 0
        while total < tail[3]:
            c, u = CHUNK.unpack_from(archive, pos)
            chunks.append([c, u, archive[pos + 8:pos + 8 + c]])
            pos += 8 + c
            total += u
        entries.append([name, tail, chunks])
    if pos != len(archive):
        raise BadArchive("%d bytes after the last entry" % (len(archive) - pos))
    return header, entries


def write_archive(header, entries):
    header = list(header)
    header[3] = len(entries)
    header[4] = sum(e[1][2] for e in entries)
    header[5] = sum(e[1][3] for e in entries)
    out = [HEADER.pack(*header)]
    for name, tail, chunks in entries:
        raw = name.encode("latin-1") + b"\0"
        out.append(struct.pack("<I", len(raw)) + raw + RECORD_TAIL.pack(*tail))
        for c, u, data in chunks:
            out.append(CHUNK.pack(c, u) + data)
    return b"".join(out)


def matching(entries, suffix):
    found = [e for e in entries if e[0].endswith(suffix)]
    if not found:
        raise SystemExit("no entry ends with %r" % suffix)
    return found


def main(argv):
    if len(argv) == 3 and argv[2] == "list":
        header, entries = parse_archive(Installer(open(argv[1], "rb").read()).archive)
        print("entries %d, compressed %d, uncompressed %d" % (header[3], header[4], header[5]))
        for name, tail, chunks in entries:
            print("%10d %3d chunks  %s" % (tail[3], len(chunks), name))
        return 0
    if len(argv) < 4:
        print(__doc__)
        return 2
    source, target, operation, argument = argv[1], argv[2], argv[3], (argv[4:] or [""])[0]
    installer = Installer(open(source, "rb").read())
    if operation == "pad-stub":
        installer.stub += b"\0" * int(argument)
        result = installer.join()
    elif operation == "start-at":
        if int(argument) < len(installer.stub):
            raise SystemExit("the stub alone is longer than %s bytes" % argument)
        installer.stub += b"\0" * (int(argument) - len(installer.stub))
        result = installer.join()
    elif operation == "module":
        installer.module = b"" if argument == "-" else open(argument, "rb").read()
        result = installer.join()
    elif operation == "archive-magic":
        result = installer.join(argument.encode("latin-1")[:5].ljust(5, b"\0") + installer.archive[5:])
    elif operation == "cut-payload":
        result = installer.join(b"")
    else:
        header, entries = parse_archive(installer.archive)
        if operation == "no-entries":
            entries = []
        elif operation == "drop-entries":
            dropped = matching(entries, argument)
            entries = [e for e in entries if e not in dropped]
        elif operation == "empty-entry":
            for entry in matching(entries, argument):
                entry[1][2:5] = [0, 0, 0]
                entry[2] = []
        elif operation == "corrupt-entry":
            chunk = matching(entries, argument)[0][2][0]
            data = bytearray(chunk[2])
            for i in range(len(data) // 4, len(data)):
                data[i] ^= 0x5A
            chunk[2] = bytes(data)
        elif operation == "bad-crc":
            entry = matching(entries, argument)[0]
            entry[1][4] ^= 0xFFFFFFFF
        elif operation == "move-entry":
            if len(argv) < 6:
                raise SystemExit("move-entry needs FROM and TO")
            moved, replaced = matching(entries, argument)[0], matching(entries, argv[5])[0]
            moved[0] = replaced[0]
            entries = [e for e in entries if e is not replaced]
        elif operation == "bad-record":
            damaged = matching(entries, argument)[0]
            before = write_archive(header, entries[:entries.index(damaged)])
            archive = bytearray(write_archive(header, entries))
            # The header of the shortened archive differs; only its length counts.
            struct.pack_into("<I", archive, len(before), 0xFFFFFFF0)
            result = installer.join(bytes(archive))
        else:
            print(__doc__)
            return 2
        if operation != "bad-record":
            result = installer.join(write_archive(header, entries))
    with open(target, "wb") as out:
        out.write(result)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
