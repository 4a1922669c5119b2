"""Prints the first worksheet of an .xlsx file as JSON, read by openpyxl.

Each cell: its value, whether the file holds it as a number, its number
format and whether it is bold; and the width of every column that has one.
"""
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheet = book.worksheets[0]
rows = []
for row in sheet.iter_rows():
    rows.append([
        {
            "row": cell.row,
            "column": cell.column,
            "value": cell.value,
            "number": isinstance(cell.value, (int, float)),
            "format": cell.number_format,
            "bold": bool(cell.font and cell.font.b),
        }
        for cell in row
        if cell.value is not None
    ])
widths = {key: dim.width for key, dim in sheet.column_dimensions.items() if dim.width}
json.dump({"sheets": len(book.worksheets), "rows": rows, "widths": widths}, sys.stdout, ensure_ascii=False)
