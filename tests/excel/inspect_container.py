"""Opens a compound file with olefile, strict about defects, and prints its
structure, one line per item.

    header <TAB> fat sectors <TAB> difat sectors <TAB> first difat <TAB>
           first mini fat <TAB> mini fat sectors <TAB> first directory
    file <TAB> size in bytes <TAB> sectors
    fat <TAB> FAT entries marked FATSECT <TAB> marked DIFSECT <TAB> free entries inside the file
    entry <TAB> sid <TAB> name (JSON) <TAB> type <TAB> left <TAB> right <TAB> child <TAB> start <TAB> size
    stream <TAB> path <TAB> size <TAB> same|different     (for each --expect path=file)
    error <TAB> message                                    (olefile refused the file)
"""
import json
import os
import sys

import olefile

FREESECT, FATSECT, DIFSECT = 0xFFFFFFFF, 0xFFFFFFFD, 0xFFFFFFFC


def main(path, expectations):
    out = sys.stdout
    try:
        ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    except Exception as error:  # olefile raises its own and standard errors
        out.write("error\t%s\n" % error)
        return
    out.write("header\t%d\t%d\t%d\t%d\t%d\t%d\n" % (ole.num_fat_sectors, ole.num_difat_sectors, ole.first_difat_sector,
                                                   ole.first_mini_fat_sector, ole.num_mini_fat_sectors,
                                                   ole.first_dir_sector))
    size = os.path.getsize(path)
    sectors = size // ole.sector_size - 1
    out.write("file\t%d\t%d\n" % (size, sectors))
    fat = list(ole.fat)
    inside = fat[:sectors]
    out.write("fat\t%d\t%d\t%d\n" % (inside.count(FATSECT), inside.count(DIFSECT), inside.count(FREESECT)))
    for entry in ole.direntries:
        if entry is None:
            continue
        out.write("entry\t%d\t%s\t%d\t%d\t%d\t%d\t%d\t%d\n" % (entry.sid, json.dumps(entry.name), entry.entry_type,
                                                            entry.sid_left, entry.sid_right, entry.sid_child,
                                                            entry.isectStart, entry.size))
    for stream, expected_file in expectations:
        data = ole.openstream(stream).read()
        with open(expected_file, "rb") as handle:
            expected = handle.read()
        out.write("stream\t%s\t%d\t%s\n" % (stream, len(data), "same" if data == expected else "different"))
    ole.close()


if __name__ == "__main__":
    sys.stdout.reconfigure(encoding="utf-8")
    pairs = []
    for argument in sys.argv[2:]:
        stream, _, expected_file = argument.partition("=")
        pairs.append((stream, expected_file))
    main(sys.argv[1], pairs)
