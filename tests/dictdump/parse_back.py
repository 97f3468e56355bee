"""Reads a dictdump JSON document and CSV files back with Python's own
parsers. Prints one line per table (name, fields, rows, the Stat's record
count) and, for each CSV file given as TABLE=FILE, whether its header and
rows are the JSON table's."""
import csv
import json
import sys


def text(value):
    if value is None:
        return ""
    if value is True or value is False:
        return "TRUE" if value else "FALSE"
    return value


with open(sys.argv[1], encoding="utf-8") as f:
    document = json.load(f, parse_int=str, parse_float=str)
tables = {}
for table in document["tables"]:
    tables[table["name"]] = table
    statistics = table["statistics"]
    records = statistics["records"] if statistics else "-"
    print(f'{table["name"]}: {len(table["fields"])} fields, {len(table["indexes"])} indexes, '
          f'{len(table["rows"])} rows, {records} records')
for argument in sys.argv[2:]:
    name, path = argument.split("=", 1)
    with open(path, newline="", encoding="utf-8") as f:
        lines = list(csv.reader(f))
    table = tables[name]
    header = [field["name"] for field in table["fields"]]
    rows = [[text(value) for value in row] for row in table["rows"]]
    same = lines[0] == header and lines[1:] == rows
    print(f'{name}: CSV {"matches" if same else "differs from"} JSON ({len(lines) - 1} rows)')
