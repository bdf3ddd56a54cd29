"""Reads an .xls file with xlrd and prints what it holds, one line per item.

    sheet <TAB> index <TAB> name (hex) <TAB> rows <TAB> columns
    cell <TAB> sheet <TAB> row <TAB> column <TAB> text|number <TAB> value
    warning <TAB> text (JSON)

Names and texts are the hex digits of their UTF-8 bytes; numbers are Python's
repr, which reads back as the same double. Empty cells are not listed.
"""
import io
import json
import sys

import xlrd


def main(path):
    log = io.StringIO()
    book = xlrd.open_workbook(path, logfile=log, verbosity=0, on_demand=False)
    out = sys.stdout
    for line in log.getvalue().splitlines():
        if line.strip():
            out.write("warning\t%s\n" % json.dumps(line, ensure_ascii=False))
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        out.write("sheet\t%d\t%s\t%d\t%d\n" % (index, sheet.name.encode("utf-8").hex(), sheet.nrows, sheet.ncols))
        for row in range(sheet.nrows):
            types = sheet.row_types(row)
            values = sheet.row_values(row)
            for column, (kind, value) in enumerate(zip(types, values)):
                if kind == xlrd.XL_CELL_EMPTY:
                    continue
                if kind == xlrd.XL_CELL_TEXT:
                    out.write("cell\t%d\t%d\t%d\ttext\t%s\n" % (index, row, column, value.encode("utf-8").hex()))
                elif kind == xlrd.XL_CELL_NUMBER:
                    out.write("cell\t%d\t%d\t%d\tnumber\t%r\n" % (index, row, column, value))
                else:
                    out.write("cell\t%d\t%d\t%d\tother%d\t%r\n" % (index, row, column, kind, value))


if __name__ == "__main__":
    sys.stdout.reconfigure(encoding="utf-8")
    main(sys.argv[1])
