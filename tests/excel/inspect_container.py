"""Opens a compound file with olefile, strict about defects, and prints its
structure, one line per item.

    container <TAB> FAT sectors <TAB> DIFAT sectors <TAB> first DIFAT sector <TAB> first mini FAT sector
              <TAB> mini FAT sectors <TAB> file size in bytes <TAB> and of the FAT entries of the sectors
              inside the file: those marked FATSECT <TAB> those marked DIFSECT <TAB> the free ones
    entry <TAB> name (hex of its UTF-8) <TAB> sid <TAB> type <TAB> left <TAB> right <TAB> child <TAB> start <TAB> size
    stream <TAB> path <TAB> size <TAB> same|different     (for each --expect path=file)
    error <TAB> message                                    (olefile refused the file)
"""
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
    size = os.path.getsize(path)
    inside = list(ole.fat)[:size // ole.sector_size - 1]
    out.write("container\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\n" % (
        ole.num_fat_sectors, ole.num_difat_sectors, ole.first_difat_sector, ole.first_mini_fat_sector,
        ole.num_mini_fat_sectors, size, inside.count(FATSECT), inside.count(DIFSECT), inside.count(FREESECT)))
    for entry in ole.direntries:
        if entry is None:
            continue
        out.write("entry\t%s\t%d\t%d\t%d\t%d\t%d\t%d\t%d\n" % (entry.name.encode("utf-8").hex(), entry.sid,
                                                            entry.entry_type, entry.sid_left, entry.sid_right,
                                                            entry.sid_child, entry.isectStart, entry.size))
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
