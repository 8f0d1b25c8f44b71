#!/usr/bin/python3
"""Reads the exported workbooks back with openpyxl and checks every cell against the values
the window held, placed and typed by this script's own reading of the sheet layouts, with
each draw's date taken from the bundled results CSV beside the templates.

    check_sheets.py WRITE_SHEETS_PROGRAM TEMPLATE_DIR
"""
import datetime
import hashlib
import json
import pathlib
import re
import subprocess
import sys
import tempfile

import openpyxl

PREDICTION_TEMPLATE = "R7予想表ひな形.xlsx"
TALLY_TEMPLATE = "R7集計表ひな形.xlsx"
RESULTS_CSV = "numbers4_2.csv"
failures = []
# Tally columns of texts; the others hold numbers, but for summaries such as "勝率:47%".
TALLY_TEXT_COLUMNS = (1, 5, 10, 13, 14)
WHOLE_NUMBER = re.compile(r"-?(0|[1-9]\d{0,2}(,\d{3})*|[1-9]\d*)")


def tally_value(grid, r, c):
    text = grid[r][c]
    number = c not in TALLY_TEXT_COLUMNS and WHOLE_NUMBER.fullmatch(text)
    return int(text.replace(",", "")) if number else text


def check(condition, what):
    if not condition:
        failures.append(what)


def prediction_cells(d):
    cells = {}
    for key, col in (("basicS", 2), ("basicW", 5), ("narrowS", 8), ("narrowW", 11)):
        for i, (number, candidate) in enumerate(d[key], start=1):
            cells[(7 + i, col)] = int(number)
            cells[(7 + i, col + 1)] = candidate
    cells[(3, 2)] = d["LabDays"]
    cells[(3, 5)] = d["LabKai"]
    cells[(3, 8)] = "当選番号：　" + d["Label2"]
    cells[(3, 11)] = "Ｗ・Ｓ予想：　" + d["Label8"]
    cells[(4, 2)] = "ダブル絞り：　" + d["LabYDS"]
    cells[(4, 5)] = "シングル絞り：　" + d["LabYSS"]
    cells[(4, 8)] = "Ｒ７絞り：　" + d["LabYOP"]
    return cells


def tally_cells(d, dates):
    grid, n = d["GrdSM"], d["simRows"]
    cells = {}
    # Spreadsheet column = grid column + 2, without the separators 7, 12 and 15.
    for r in range(1, n + 1):
        for c in range(18):
            if c in (7, 12, 15):
                continue
            cells[(5 + r, c + 2)] = dates[grid[r][0]] if c == 2 else tally_value(grid, r, c)
    for c in (6, 11, 14, 16):
        cells[(n + 6, c + 2)] = tally_value(grid, n + 1, c)
    for c in (0, 5, 6, 10, 11, 16, 17):
        cells[(n + 7, c + 2)] = tally_value(grid, n + 2, c)
    month = d["LabKnen"] + "年" + d["LabKmon"] + "月"
    cells[(2, 2)] = month if d["month"] else f"第{grid[1][0]}回〜第{grid[n][0]}回"
    cells[(2, 5)] = "ダブル絞り：　" + d["LabKDS"]
    cells[(2, 8)] = "シングル絞り：　" + d["LabKSS"]
    cells[(2, 11)] = "Ｒ７絞り：　" + d["LabKOP"]
    return cells


def expected_name(d):
    if d["sheet"] == "prediction":
        return f"予想表_{d['LabKai']}.xlsx"
    grid, n = d["GrdSM"], d["simRows"]
    if d["month"]:
        return f"集計表_{d['LabKnen']}年{d['LabKmon']}月.xlsx"
    return f"集計表_第{grid[1][0]}回-第{grid[n][0]}回.xlsx"


def style_of(cell):
    # Merged and never-styled cells have no style of their own: the default one.
    style = getattr(cell, "_style", None)
    return list(style) if style is not None else [0] * 9


def compare(path, template_path, expected):
    got = openpyxl.load_workbook(path).worksheets[0]
    tpl = openpyxl.load_workbook(template_path).worksheets[0]
    check(got.print_area == tpl.print_area, f"{path.name}: print area {got.print_area}")
    rows = max(got.max_row, tpl.max_row, max(r for r, _ in expected))
    cols = max(got.max_column, tpl.max_column)
    for r in range(1, rows + 1):
        for c in range(1, cols + 1):
            cell, before = got.cell(r, c), tpl.cell(r, c)
            want = expected.get((r, c), before.value)
            if want == "":
                want = None
            check(cell.value == want, f"{path.name} {cell.coordinate}: {cell.value!r} != {want!r}")
            check(style_of(cell) == style_of(before),
                  f"{path.name} {cell.coordinate}: style changed")


def main():
    program, templates = sys.argv[1], pathlib.Path(sys.argv[2])
    dates = {line.split(",")[0]: datetime.datetime.strptime(line.split(",")[1], "%Y/%m/%d")
             for line in (templates / RESULTS_CSV).read_text(encoding="utf-8").splitlines()}
    template_paths = [templates / PREDICTION_TEMPLATE, templates / TALLY_TEMPLATE]
    digests = [hashlib.sha256(p.read_bytes()).hexdigest() for p in template_paths]
    with tempfile.TemporaryDirectory() as out:
        out = pathlib.Path(out)
        subprocess.run([program, str(out)], check=True)
        manifest = json.loads((out / "manifest.json").read_text(encoding="utf-8"))
        check([d["sheet"] for d in manifest] == ["prediction", "prediction", "tally", "tally"],
              "exports written")
        names = [d["file"] for d in manifest]
        check(names[1] == names[0].replace(".xlsx", "_2.xlsx"), f"second export {names[1]}")
        check(manifest[0]["basicS"] and not manifest[1]["basicS"], "the empty S list case")
        check(manifest[2]["simRows"] == 10, "ten-draw tally")
        check(manifest[2]["GrdSM"][1][0] == "190", "the tally of draws 190 to 199")
        for i, d in enumerate(manifest):
            if i != 1:
                check(d["file"] == expected_name(d), f"file name {d['file']}")
            prediction = d["sheet"] == "prediction"
            expected = prediction_cells(d) if prediction else tally_cells(d, dates)
            compare(out / d["file"], template_paths[0 if prediction else 1], expected)
    check([hashlib.sha256(p.read_bytes()).hexdigest() for p in template_paths] == digests,
          "templates changed")
    for f in failures[:40]:
        print("FAIL:", f)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
