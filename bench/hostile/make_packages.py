#!/usr/bin/env python3
"""Writes hostile packages for measuring the package reader, into OUT_DIR:

  hostile_names.zip  ENTRIES one-byte entries whose 1023-byte names are parent
                     references ("a/..\\") up to a unique 8-digit tail
  plain_names.zip    the same with plain names of the same length
  overlapping.zip    one deflated entry of ZEROS KiB of zeros (about 1 KB packed),
                     RECORDS directory records pointing at it, and Page.json
  packed_zeros.zip   1024 entries of ZEROS KiB of zeros, each with its own bytes

Usage:  python3 bench/hostile/make_packages.py [--entries N] [--records N] [--zeros KIB]
                                              [--only NAME]... OUT_DIR
e.g.    python3 bench/hostile/make_packages.py /tmp/hostile
        /usr/bin/time -v build/bin/tavqpkg list /tmp/hostile/hostile_names.zip > /dev/null
        /usr/bin/time -v build/bin/tavq-render --package /tmp/hostile/overlapping.zip Page.json /tmp/out.png
Defaults: 65535 entries, 62000 records (about 3.6 MB), 1024 KiB of zeros, all four.
fuzz/make_corpus.sh takes small ones as seeds.
"""

import argparse
import os
import struct
import zlib

NAME_LENGTH = 1023      # the longest name the reader keeps whole


def local_header(name, crc, packed, size, method):
    return struct.pack('<IHHHHHIIIHH', 0x04034B50, 20, 0, method, 0x6000, 0x5821,
                       crc, packed, size, len(name), 0) + name


def directory_record(name, crc, packed, size, method, offset):
    return struct.pack('<IHHHHHHIIIHHHHHII', 0x02014B50, 0x031E, 20, 0, method, 0x6000, 0x5821,
                       crc, packed, size, len(name), 0, 0, 0, 0, 0, offset) + name


def write_package(path, locals_, records):
    """locals_: bytes of the local part; records: the directory records."""
    directory = b''.join(records)
    end = struct.pack('<IHHHHIIH', 0x06054B50, 0, 0, len(records), len(records),
                      len(directory), len(locals_), 0)
    with open(path, 'wb') as out:
        out.write(locals_ + directory + end)


def names_package(path, entries, prefix):
    data = b'x'
    crc = zlib.crc32(data)
    locals_, records = [], []
    offset = 0
    for i in range(entries):
        tail = b'%08d' % i
        name = (prefix * NAME_LENGTH)[:NAME_LENGTH - len(tail)] + tail
        header = local_header(name, crc, 1, 1, 0) + data
        records.append(directory_record(name, crc, 1, 1, 0, offset))
        locals_.append(header)
        offset += len(header)
    write_package(path, b''.join(locals_), records)


def overlapping_package(path, records, zeros_kib):
    data = bytes(zeros_kib << 10)
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    packed = packer.compress(data) + packer.flush()
    crc = zlib.crc32(data)
    page = b'{}'
    names = [b'z%07d.bin' % i for i in range(records)]
    shared = local_header(names[0], crc, len(packed), len(data), 8) + packed
    page_offset = len(shared)
    locals_ = shared + local_header(b'Page.json', zlib.crc32(page), len(page), len(page), 0) + page
    directory = [directory_record(b'Page.json', zlib.crc32(page), len(page), len(page), 0, page_offset)]
    directory += [directory_record(name, crc, len(packed), len(data), 8, 0) for name in names]
    write_package(path, locals_, directory)


def packed_zeros_package(path, entries, zeros_kib):
    data = bytes(zeros_kib << 10)
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    packed = packer.compress(data) + packer.flush()
    crc = zlib.crc32(data)
    locals_, records = [], []
    offset = 0
    for i in range(entries):
        name = b'zeros%04d.bin' % i
        header = local_header(name, crc, len(packed), len(data), 8) + packed
        records.append(directory_record(name, crc, len(packed), len(data), 8, offset))
        locals_.append(header)
        offset += len(header)
    write_package(path, b''.join(locals_), records)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--entries', type=int, default=65535)
    parser.add_argument('--records', type=int, default=62000)
    parser.add_argument('--zeros', type=int, default=1024, metavar='KIB')
    parser.add_argument('--only', action='append', metavar='NAME', help='a package to write (repeatable), without .zip')
    parser.add_argument('out_dir')
    args = parser.parse_args()
    if not 0 < args.entries <= 65535 or not 0 < args.records < 65535:
        parser.error('a package holds at most 65535 entries')
    writers = {
        'hostile_names': lambda path: names_package(path, args.entries, b'a/..\\'),
        'plain_names': lambda path: names_package(path, args.entries, b'p'),
        'overlapping': lambda path: overlapping_package(path, args.records, args.zeros),
        'packed_zeros': lambda path: packed_zeros_package(path, 1024, args.zeros),
    }
    unknown = set(args.only or []) - set(writers)
    if unknown:
        parser.error('no such package: ' + ', '.join(sorted(unknown)))
    os.makedirs(args.out_dir, exist_ok=True)
    for name, write in writers.items():
        if not args.only or name in args.only:
            write(os.path.join(args.out_dir, name + '.zip'))


if __name__ == '__main__':
    main()
