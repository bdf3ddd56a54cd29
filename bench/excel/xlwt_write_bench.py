"""Writes the workbook of excel_write_bench with python's xlwt, for comparison.

    /usr/bin/python3 xlwt_write_bench.py [output.xls] [rows]
"""
import os
import resource
import sys
import tempfile
import time

import xlwt

SYLLABLES = "货品单据编号客户供应商仓库数量单价金额日期备注收入支出帐户订金退货进货出货规格华美达新鑫源盛泰"
UNITS = ["个", "箱", "件", "套", "米"]


def text(seed, length):
    return "".join(SYLLABLES[(seed * 31 + i * 7) % len(SYLLABLES)] for i in range(length))


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(tempfile.gettempdir(), "xlwt_write_bench.xls")
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 65536
    start_kb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    start = time.perf_counter()
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("BillSearch")
    for r in range(rows):
        count = r % 500 + 1
        price_cents = r % 10000 + 100
        row = sheet.row(r)
        row.write(0, text(r % 200, 4))
        row.write(1, text(1000 + r % 1000, 6))
        row.write(2, text(3000 + r % 300, 3) + str(r % 50))
        row.write(3, UNITS[r % 5])
        row.write(4, "第%d行" % r)
        row.write(5, count)
        row.write(6, price_cents / 100.0)
        row.write(7, count * price_cents / 100.0)
        row.write(8, (r % 7) * 50.5)
        row.write(9, r + 1)
    filled = time.perf_counter()
    book.save(path)
    done = time.perf_counter()
    peak_kb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    size_mb = os.path.getsize(path) / (1024.0 * 1024.0)
    print("xlwt: %d rows x 10 columns" % rows)
    print("  fill %.3f s, save %.3f s, total %.3f s" % (filled - start, done - filled, done - start))
    print("  file %.2f MB (%s)" % (size_mb, path))
    print("  peak memory %.2f MB (%.2f MB at start), %.2fx the file size" % (peak_kb / 1024.0, start_kb / 1024.0,
                                                                            peak_kb / 1024.0 / size_mb))


if __name__ == "__main__":
    main()
