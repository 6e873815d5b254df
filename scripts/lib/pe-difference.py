#!/usr/bin/env python3
"""Where two Windows programs (PE files) first differ: the offset, and the
part of the first that holds it: the headers (the checksum and the
certificate-table entry called out), a section by name, the attached
signature, or what follows the last section.

    pe-difference.py EXE REFERENCE

osslsigncode pads a program to a multiple of 8 bytes before it appends a
signature, and removing the signature keeps the padding and recomputes the
checksum. A reference of another length is compared in that form: zero bytes
up to the next multiple of 8, and its checksum recomputed.

Prints nothing and exits 0 when the files are equal (after that padding,
which is then named); otherwise prints "at offset N (0xN), in PART" and
exits 1. The checksum is named only when
nothing else differs: it is computed over the whole file, so any other
difference changes it too.
"""
import struct
import sys


def section_name(data, pe, raw):
    """A long name ("/4") is an offset into the COFF string table."""
    name = raw.decode("latin-1")
    if not name.startswith("/") or not name[1:].isdigit():
        return name
    symbols, count = struct.unpack_from("<II", data, pe + 12)
    start = symbols + 18 * count + int(name[1:])
    end = data.find(b"\0", start)
    return data[start:end].decode("latin-1") if symbols and end > start else name


def describe(data, offset):
    if len(data) < 0x40 or data[:2] != b"MZ":
        return "a file that is not a Windows program"
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return "a file that is not a Windows program"
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    certificates = directories + 4 * 8  # entry 4: the certificate table
    cert_offset, cert_size = struct.unpack_from("<II", data, certificates)
    if optional + 64 <= offset < optional + 68:
        return "the PE header (its checksum)"
    if certificates <= offset < certificates + 8:
        return "the PE header (its certificate-table entry)"
    if cert_size and cert_offset <= offset < cert_offset + cert_size:
        return "the signature (certificate table)"
    header_size = struct.unpack_from("<I", data, optional + 60)[0]
    if offset < header_size:
        return "the headers"
    table = optional + optional_size
    for i in range(sections):
        entry = table + 40 * i
        name = section_name(data, pe, data[entry:entry + 8].rstrip(b"\0"))
        raw_size, raw_pointer = struct.unpack_from("<II", data, entry + 16)
        if raw_pointer <= offset < raw_pointer + raw_size:
            return "section " + name
    return "the bytes after the last section"


def checksum_field(data):
    try:
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        return range(pe + 24 + 64, pe + 24 + 68)
    except struct.error:
        return range(0)


def pe_checksum(data, field):
    """The PE checksum: 16-bit words summed with end-around carry, the
    checksum field left out, plus the file's length."""
    body = bytes(data[:field.start]) + b"\0\0\0\0" + bytes(data[field.stop:])
    body += b"\0" * (len(body) % 2)
    total = sum(memoryview(body).cast("H"))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def as_left_by_signing(reference):
    """The reference as removing a signature leaves it: padded to 8 bytes."""
    padding = -len(reference) % 8
    if not padding:
        return reference
    padded = bytearray(reference + b"\0" * padding)
    field = checksum_field(padded)
    if len(field):
        struct.pack_into("<I", padded, field.start, pe_checksum(padded, field))
    return bytes(padded)


def first_difference(data, reference):
    common = min(len(data), len(reference))
    differing = (i for i in range(common) if data[i] != reference[i])
    first = next(differing, None)
    if first is not None and first in checksum_field(data):
        later = next((i for i in differing if i not in checksum_field(data)), None)
        first = later if later is not None else first
    if first is None and len(data) != len(reference):
        first = common
    return first


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: pe-difference.py EXE REFERENCE")
    with open(sys.argv[1], "rb") as f:
        data = f.read()
    with open(sys.argv[2], "rb") as f:
        original = f.read()
    reference = as_left_by_signing(original)
    offset = first_difference(data, reference)
    if offset is None:
        if len(reference) != len(original):
            print("equal once the build's %d bytes are padded to %d as signing does"
                  % (len(original), len(reference)))
        return 0
    where = describe(data, offset) if offset < len(data) else "the end of the file (it is shorter)"
    print("at offset %d (0x%x), in %s" % (offset, offset, where))
    return 1


sys.exit(main())
