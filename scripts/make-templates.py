#!/usr/bin/python3
"""Builds the two template workbooks in data/: the prediction sheet and the tally sheet.

The program copies a template and writes its values into the cells below the headings:
numbers as numbers, dates as dates, the rest as text. These files give the layout (title,
headings, widths, borders, print area) and each column's number format.
Run from anywhere: python3 scripts/make-templates.py
"""
import datetime
import io
import pathlib
import zipfile

from openpyxl import Workbook
from openpyxl.styles import Alignment, Border, Font, PatternFill, Side
from openpyxl.utils import get_column_letter
from openpyxl.worksheet.properties import PageSetupProperties

DATA = pathlib.Path(__file__).resolve().parent.parent / "data"
FIXED_TIME = datetime.datetime(2026, 1, 1, 0, 0, 0)

FONT = "IPAゴシック"
thin = Side(style="thin", color="808080")
BOX = Border(left=thin, right=thin, top=thin, bottom=thin)
HEAD_FILL = PatternFill("solid", fgColor="DDEBF7")
GROUP_FILL = PatternFill("solid", fgColor="BDD7EE")
CENTER = Alignment(horizontal="center", vertical="center")
LEFT = Alignment(horizontal="left", vertical="center")


def new_sheet(title):
    wb = Workbook()
    ws = wb.active
    ws.title = title
    wb.properties.creator = "Tessarin"
    wb.properties.created = FIXED_TIME
    wb.properties.modified = FIXED_TIME
    return wb, ws


def page_setup(ws, area, landscape=False):
    ws.print_area = area
    ws.page_setup.paperSize = ws.PAPERSIZE_A4
    ws.page_setup.orientation = "landscape" if landscape else "portrait"
    ws.sheet_properties.pageSetUpPr = PageSetupProperties(fitToPage=True)
    ws.page_setup.fitToWidth = 1
    ws.page_setup.fitToHeight = 1
    ws.print_options.horizontalCentered = True
    ws.page_margins.left = ws.page_margins.right = 0.4
    ws.page_margins.top = ws.page_margins.bottom = 0.5


def heading(ws, row, col, text, fill=HEAD_FILL, span=1):
    cell = ws.cell(row=row, column=col, value=text)
    cell.font = Font(name=FONT, bold=True, size=10)
    cell.fill = fill
    cell.alignment = CENTER
    cell.border = BOX
    if span > 1:
        ws.merge_cells(start_row=row, start_column=col, end_row=row, end_column=col + span - 1)
        for c in range(col + 1, col + span):
            ws.cell(row=row, column=c).border = BOX
            ws.cell(row=row, column=c).fill = fill


TEXT = "@"
WHOLE = "0"
YEN = "#,##0"
DATE = "yyyy/mm/dd"


def value_cell(ws, row, col, align=CENTER, bordered=True, size=10, bold=False, fmt=TEXT):
    cell = ws.cell(row=row, column=col)
    cell.font = Font(name=FONT, size=size, bold=bold)
    cell.alignment = align
    cell.number_format = fmt
    if bordered:
        cell.border = BOX


def widths(ws, table):
    for col, width in table.items():
        ws.column_dimensions[get_column_letter(col)].width = width


def prediction_sheet():
    # Rows 3 and 4 take the headline values, row 8 on the four lists (running number and
    # candidate): basic S in B:C, basic W in E:F, narrowed S in H:I, narrowed W in K:L.
    wb, ws = new_sheet("予想表")
    title = ws.cell(row=1, column=2, value="ナンバーズ４　予想表")
    title.font = Font(name=FONT, size=16, bold=True)
    for col in (2, 5, 8, 11):
        value_cell(ws, 3, col, align=LEFT, bordered=False, bold=True)
    for col in (2, 5, 8):
        value_cell(ws, 4, col, align=LEFT, bordered=False)
    heading(ws, 6, 2, "基本予想", GROUP_FILL, span=5)
    heading(ws, 6, 8, "絞り予想", GROUP_FILL, span=5)
    for col, text in ((2, "Ｓ"), (5, "Ｗ"), (8, "Ｓ"), (11, "Ｗ")):
        heading(ws, 7, col, "No.")
        heading(ws, 7, col + 1, text + " 予想数字")
    # A list holds at most the 360 doubles; the page shows the first 120 of each.
    for row in range(8, 7 + 360 + 1):
        for col in (2, 5, 8, 11):
            value_cell(ws, row, col, fmt=WHOLE)
            value_cell(ws, row, col + 1)
    last_row = 7 + 120
    widths(ws, {1: 2, 2: 6, 3: 12, 4: 2, 5: 6, 6: 12, 7: 2, 8: 6, 9: 12, 10: 2, 11: 6, 12: 12})
    ws.freeze_panes = "A8"
    page_setup(ws, f"A1:L{last_row}")
    return wb


TALLY_HEADINGS = {
    2: "回", 3: "当籤数", 4: "抽選日", 5: "Ｓ予想数", 6: "Ｗ予想数", 7: "結果", 8: "配当",
    10: "Ｓ予想数", 11: "Ｗ予想数", 12: "結果", 13: "配当", 15: "ＷＳ予想", 16: "結果",
    18: "配当", 19: "購入額",
}
# The winning number and the marks are texts; draw numbers and list sizes whole numbers;
# payouts and amounts yen with a separator.
TALLY_FORMATS = {2: WHOLE, 3: TEXT, 4: DATE, 5: WHOLE, 6: WHOLE, 7: TEXT, 8: YEN, 10: WHOLE,
                 11: WHOLE, 12: TEXT, 13: YEN, 15: TEXT, 16: TEXT, 18: YEN, 19: YEN}


def tally_sheet():
    # Row 2 takes the month and the narrowing options; row 6 on one row per draw, then the
    # two summary rows. Columns I, N and Q stay empty as separators.
    wb, ws = new_sheet("集計表")
    title = ws.cell(row=1, column=2, value="ナンバーズ４　集計表")
    title.font = Font(name=FONT, size=16, bold=True)
    for col in (2, 5, 8, 11):
        value_cell(ws, 2, col, align=LEFT, bordered=False, bold=(col == 2))
    heading(ws, 4, 2, "抽選", GROUP_FILL, span=3)
    heading(ws, 4, 5, "基本予想", GROUP_FILL, span=4)
    heading(ws, 4, 10, "絞り予想", GROUP_FILL, span=4)
    heading(ws, 4, 15, "Ｗ・Ｓ予想", GROUP_FILL, span=2)
    heading(ws, 4, 18, "購入したら", GROUP_FILL, span=2)
    for col, text in TALLY_HEADINGS.items():
        heading(ws, 5, col, text)
    last_row = 5 + 100 + 2
    for row in range(6, last_row + 1):
        for col in TALLY_HEADINGS:
            right = col in (8, 13, 18, 19)
            value_cell(ws, row, col, align=Alignment(horizontal="right") if right else CENTER,
                       fmt=TALLY_FORMATS[col])
    widths(ws, {1: 2, 2: 7, 3: 8, 4: 11, 5: 8, 6: 8, 7: 8, 8: 11, 9: 1.5, 10: 8, 11: 8,
                12: 8, 13: 11, 14: 1.5, 15: 8, 16: 8, 17: 1.5, 18: 11, 19: 11})
    ws.freeze_panes = "A6"
    page_setup(ws, f"A1:S{last_row}")
    return wb


def save_reproducibly(wb, path):
    """Saves with fixed entry times so that a rebuild gives the same bytes."""
    raw = io.BytesIO()
    wb.save(raw)
    out = io.BytesIO()
    with zipfile.ZipFile(raw) as src, zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as dst:
        for info in src.infolist():
            entry = zipfile.ZipInfo(info.filename, date_time=FIXED_TIME.timetuple()[:6])
            entry.compress_type = zipfile.ZIP_DEFLATED
            dst.writestr(entry, src.read(info.filename))
    path.write_bytes(out.getvalue())


if __name__ == "__main__":
    save_reproducibly(prediction_sheet(), DATA / "R7予想表ひな形.xlsx")
    save_reproducibly(tally_sheet(), DATA / "R7集計表ひな形.xlsx")
    print("written:", DATA / "R7予想表ひな形.xlsx", DATA / "R7集計表ひな形.xlsx")
