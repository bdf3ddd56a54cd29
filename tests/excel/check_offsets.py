"""Walks the records of the "Workbook" stream (read with olefile) and checks
the stream positions that xlrd does not use, one line per finding:

    sheet <TAB> index <TAB> INDEX slots <TAB> DBCELL records <TAB> ROW records
    bad <TAB> what is wrong
    ok

BOUNDSHEET positions must point at worksheet BOF records; the INDEX must list
every DBCELL of its sheet, in order; each DBCELL must point back at the first
ROW of its block and, row by row, at the first cell record of that row (the
first offset counted from the end of the block's first ROW record, each later
one from the previous row's first cell).
"""
import struct
import sys

import olefile

BOF, EOF, BOUNDSHEET, INDEX, DBCELL, ROW = 0x0809, 0x000A, 0x0085, 0x020B, 0x00D7, 0x0208
CELLS = {0x0201, 0x0203, 0x0205, 0x027E, 0x0006, 0x00BD, 0x00BE, 0x00FD}


def records(stream, start):
    pos = start
    while pos + 4 <= len(stream):
        rid, length = struct.unpack_from("<HH", stream, pos)
        yield pos, rid, stream[pos + 4:pos + 4 + length]
        pos += 4 + length
        if rid == EOF:
            return


def main(path):
    ole = olefile.OleFileIO(path)
    stream = ole.openstream("Workbook").read()
    bad = []
    positions = [struct.unpack_from("<I", data)[0] for _, rid, data in records(stream, 0) if rid == BOUNDSHEET]
    for number, start in enumerate(positions):
        if start + 8 > len(stream) or struct.unpack_from("<HH", stream, start)[0] != BOF \
                or struct.unpack_from("<H", stream, start + 6)[0] != 0x0010:
            bad.append("sheet %d: BOUNDSHEET position %d is not a worksheet BOF" % (number, start))
            continue
        slots, dbcells, rows, cells_at = [], [], [], {}
        for pos, rid, data in records(stream, start):
            if rid == INDEX:
                count = (len(data) - 16) // 4
                slots = list(struct.unpack_from("<%dI" % count, data, 16))
            elif rid == DBCELL:
                dbcells.append((pos, data))
            elif rid == ROW:
                rows.append((pos, struct.unpack_from("<H", data)[0]))
            elif rid in CELLS:
                cells_at[pos] = struct.unpack_from("<H", data)[0]
        if slots != [pos for pos, _ in dbcells]:
            bad.append("sheet %d: INDEX slots %s do not match the DBCELL positions %s"
                       % (number, slots[:5], [pos for pos, _ in dbcells][:5]))
        row_starts = {pos: row for pos, row in rows}
        previous_end = start
        for pos, data in dbcells:
            back = struct.unpack_from("<I", data)[0]
            offsets = list(struct.unpack_from("<%dH" % ((len(data) - 4) // 2), data, 4))
            block_rows = [(p, r) for p, r in rows if previous_end <= p < pos]
            previous_end = pos
            if not block_rows:
                if back != 0 or offsets:
                    bad.append("sheet %d: DBCELL at %d of an empty block points somewhere" % (number, pos))
                continue
            if pos - back != block_rows[0][0] or (pos - back) not in row_starts:
                bad.append("sheet %d: DBCELL at %d does not point back at its first ROW" % (number, pos))
            if len(offsets) != len(block_rows):
                bad.append("sheet %d: DBCELL at %d has %d offsets for %d rows" % (number, pos, len(offsets), len(block_rows)))
                continue
            cell = block_rows[0][0] + 20
            for (_, row), offset in zip(block_rows, offsets):
                cell += offset
                if cells_at.get(cell) != row:
                    bad.append("sheet %d: DBCELL at %d: offset for row %d does not reach its first cell" % (number, pos, row))
                    break
        print("sheet\t%d\t%d\t%d\t%d" % (number, len(slots), len(dbcells), len(rows)))
    for line in bad:
        print("bad\t%s" % line)
    if not bad:
        print("ok")


if __name__ == "__main__":
    main(sys.argv[1])
