#!/usr/bin/env python3
"""unzip_by_flag.py ZIP FOLDER: unzips as a reader that follows the zip format
does, and fails unless every name that is not ASCII says it is UTF-8.

A name is UTF-8 only where its entry sets the language encoding flag
(general-purpose bit 11); a reader that trusts only the flag decodes any other
name in a legacy code page (Python in code page 437, Windows in the system's).
The flag is read from both headers, as readers differ in which one they use.
"""
import struct
import sys
import zipfile

UTF8_FLAG = 0x800
LOCAL_HEADER = struct.Struct("<4sHHHHHIIIHH")


def local_header(archive, info):
    archive.seek(info.header_offset)
    fields = LOCAL_HEADER.unpack(archive.read(LOCAL_HEADER.size))
    if fields[0] != b"PK\x03\x04":
        sys.exit(f"{info.filename}: no local header at {info.header_offset}")
    flags, name_length = fields[2], fields[9]
    return flags, archive.read(name_length)


def main():
    path, folder = sys.argv[1], sys.argv[2]
    problems = []
    with open(path, "rb") as archive, zipfile.ZipFile(path) as zip_file:
        for info in zip_file.infolist():
            # What the central directory holds, before any decoding.
            raw_name = info.orig_filename.encode("utf-8" if info.flag_bits & UTF8_FLAG else "cp437")
            local_flags, local_name = local_header(archive, info)
            if local_name != raw_name:
                problems.append(f"{raw_name!r}: the local header names {local_name!r}")
            if raw_name.isascii():
                continue
            for header, flags in (("central", info.flag_bits), ("local", local_flags)):
                if not flags & UTF8_FLAG:
                    problems.append(f"{raw_name.decode(errors='replace')}: no UTF-8 flag in the {header} header")
        if problems:
            sys.exit("\n".join(problems))
        # metadata_encoding left unset: only the flag makes a name UTF-8.
        zip_file.extractall(folder)


if __name__ == "__main__":
    main()
