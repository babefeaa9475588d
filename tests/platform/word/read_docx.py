#!/usr/bin/python3
"""Reads a .docx file with python-docx, an independent reader, and prints
what the tests check as JSON: the body's paragraphs and tables in order,
the sections' page set-up, the page header and footer, and the editing
restriction. Usage: read_docx.py FILE"""

import json
import sys

import docx
from docx.oxml.ns import qn
from docx.table import Table, _Cell
from docx.text.paragraph import Paragraph


def cm(length):
    return None if length is None else round(length.cm, 2)


class RunProperties:
    """A run's character formatting as a reader applies it: what the run
    says itself, else what its paragraph's style says (and the styles that
    one is based on), else the document's defaults."""

    def __init__(self, document):
        styles = document.styles.element
        self.defaults = styles.find(qn("w:docDefaults") + "/" + qn("w:rPrDefault") + "/" + qn("w:rPr"))
        self.styles = {s.get(qn("w:styleId")): s for s in styles.iter(qn("w:style"))}
        self.default_paragraph_style = next(
            (s for s in styles.iter(qn("w:style"))
             if s.get(qn("w:type")) == "paragraph" and s.get(qn("w:default")) in ("1", "true", "on")), None)

    def _style_chain(self, style):
        seen = set()
        while style is not None and id(style) not in seen:
            seen.add(id(style))
            yield style.find(qn("w:rPr"))
            based = style.find(qn("w:basedOn"))
            style = None if based is None else self.styles.get(based.get(qn("w:val")))

    def chain(self, r):
        """The rPr elements that apply to run element r, nearest first."""
        out = [r.find(qn("w:rPr"))]
        p = r.getparent()
        while p is not None and p.tag != qn("w:p"):
            p = p.getparent()
        style = self.default_paragraph_style
        if p is not None:
            ps = p.find(qn("w:pPr") + "/" + qn("w:pStyle"))
            if ps is not None:
                style = self.styles.get(ps.get(qn("w:val")), style)
        out.extend(self._style_chain(style))
        out.append(self.defaults)
        return [e for e in out if e is not None]

    def first(self, r, tag):
        for rpr in self.chain(r):
            el = rpr.find(qn(tag))
            if el is not None:
                return el
        return None


properties = None


def on(el):
    return el is not None and el.get(qn("w:val")) not in ("0", "false", "off")


def run_info(run):
    r = run._r
    fonts = properties.first(r, "w:rFonts")
    size = properties.first(r, "w:sz")
    underline = properties.first(r, "w:u")
    return {
        "text": run.text,
        "font": None if fonts is None else fonts.get(qn("w:ascii")),
        "size": None if size is None else int(size.get(qn("w:val"))) / 2.0,
        "bold": on(properties.first(r, "w:b")),
        "italic": on(properties.first(r, "w:i")),
        "underline": underline is not None and underline.get(qn("w:val")) not in (None, "none"),
    }


def paragraph_info(p):
    pf = p.paragraph_format
    el = p._p
    return {
        "type": "p",
        "text": p.text,
        "runs": [run_info(r) for r in p.runs if r.text],
        "keep_with_next": bool(pf.keep_with_next),
        "alignment": None if pf.alignment is None else int(pf.alignment),
        "tabs": [{"pos": cm(t.position), "align": int(t.alignment)} for t in pf.tab_stops],
        "fields": [t.text for t in el.iter(qn("w:instrText"))],
        "line_breaks": len([b for b in el.iter(qn("w:br")) if b.get(qn("w:type")) in (None, "textWrapping")]),
        "page_breaks": len([b for b in el.iter(qn("w:br")) if b.get(qn("w:type")) == "page"]),
        "ends_section": el.find(qn("w:pPr") + "/" + qn("w:sectPr")) is not None,
    }


def border(tc, side):
    b = tc.find(qn("w:tcPr") + "/" + qn("w:tcBorders") + "/" + qn("w:" + side))
    if b is None or b.get(qn("w:val")) in (None, "nil", "none"):
        return None
    return int(b.get(qn("w:sz")))


def cell_info(tc, table):
    cell = _Cell(tc, table)
    runs = [r for p in cell.paragraphs for r in p.runs if r.text]
    first = run_info(runs[0]) if runs else {}
    va = tc.find(qn("w:tcPr") + "/" + qn("w:vAlign"))
    para = cell.paragraphs[0].paragraph_format
    return {
        "text": cell.text,
        "span": tc.grid_span,
        "width": cm(cell.width),
        "font": first.get("font"),
        "size": first.get("size"),
        "bold": first.get("bold", False),
        "italic": first.get("italic", False),
        "underline": first.get("underline", False),
        "valign": None if va is None else va.get(qn("w:val")),
        "alignment": None if para.alignment is None else int(para.alignment),
        "keep_with_next": bool(para.keep_with_next),
        "top": border(tc, "top"),
        "bottom": border(tc, "bottom"),
    }


def table_info(t):
    rows = []
    for tr in t._tbl.tr_lst:
        trpr = tr.find(qn("w:trPr"))
        height = None
        if trpr is not None and trpr.find(qn("w:trHeight")) is not None:
            height = round(int(trpr.find(qn("w:trHeight")).get(qn("w:val"))) / 567.0, 2)
        rows.append({
            "cells": [cell_info(tc, t) for tc in tr.tc_lst],
            "heading": trpr is not None and trpr.find(qn("w:tblHeader")) is not None,
            "cant_split": trpr is not None and trpr.find(qn("w:cantSplit")) is not None,
            "height": height,
        })
    borders = {}
    tb = t._tbl.tblPr.find(qn("w:tblBorders"))
    if tb is not None:
        for b in tb:
            v = b.get(qn("w:val"))
            borders[b.tag.split("}")[1]] = None if v in ("nil", "none") else int(b.get(qn("w:sz")))
    grid = [round(int(g.get(qn("w:w"))) / 567.0, 2) for g in t._tbl.tblGrid.iter(qn("w:gridCol"))]
    return {"type": "table", "rows": rows, "grid": grid, "borders": borders}


def blocks(parent, container):
    out = []
    for child in container.iterchildren():
        if child.tag == qn("w:p"):
            out.append(paragraph_info(Paragraph(child, parent)))
        elif child.tag == qn("w:tbl"):
            out.append(table_info(Table(child, parent)))
    return out


def main():
    global properties
    d = docx.Document(sys.argv[1])
    properties = RunProperties(d)
    sections = []
    for s in d.sections:
        sections.append({
            "orientation": int(s.orientation),
            "width": cm(s.page_width), "height": cm(s.page_height),
            "top": cm(s.top_margin), "bottom": cm(s.bottom_margin),
            "left": cm(s.left_margin), "right": cm(s.right_margin),
            "header": cm(s.header_distance), "footer": cm(s.footer_distance),
            "start": int(s.start_type),
        })
    first = d.sections[0]
    prot = d.settings.element.find(qn("w:documentProtection"))
    defaults = d.styles.element.find(qn("w:docDefaults") + "/" + qn("w:pPrDefault") + "/" + qn("w:pPr"))
    result = {
        "body": blocks(d, d.element.body),
        "sections": sections,
        "header": blocks(first.header, first.header._element),
        "footer": blocks(first.footer, first.footer._element),
        "protection": None if prot is None else {k.split("}")[1]: v for k, v in prot.attrib.items()},
        "widow_control": defaults is not None and defaults.find(qn("w:widowControl")) is not None,
    }
    json.dump(result, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
