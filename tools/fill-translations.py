#!/usr/bin/env python3
"""Writes the translations of tools/translations.tsv into translations/mervane_<lang>.ts.

Run after scripts/update-translations has added new texts as unfinished messages:
    tools/fill-translations.py            # every language of the table
Each line of the table is: context (or * for any), the English source text, then the German,
French and Spanish texts, tab-separated; \\n stands for a line break. A message whose source
is not in the table stays unfinished and is listed, so the table can be extended and the
script run again. Messages already translated are rewritten from the table too, so a
corrected line of the table takes effect.
"""
import html
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
TABLE = ROOT / "tools" / "translations.tsv"
LANGUAGES = ["de", "fr", "es"]


def read_table():
    table = {}
    for number, line in enumerate(TABLE.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        cells = [c.replace("\\n", "\n") for c in line.split("\t")]
        if len(cells) != 2 + len(LANGUAGES):
            sys.exit(f"{TABLE}:{number}: expected {2 + len(LANGUAGES)} tab-separated cells, found {len(cells)}")
        table[(cells[0], cells[1])] = dict(zip(LANGUAGES, cells[2:]))
    return table


def xml_text(text):
    return html.escape(text, quote=False).replace('"', "&quot;").replace("'", "&apos;")


def fill(ts_path, language, table):
    text = ts_path.read_text(encoding="utf-8")
    missing = []

    def context_block(match):
        context = html.unescape(re.search(r"<name>(.*?)</name>", match.group(0), re.S).group(1))

        def message(m):
            block = m.group(0)
            source = html.unescape(re.search(r"<source>(.*?)</source>", block, re.S).group(1))
            row = table.get((context, source)) or table.get(("*", source))
            if row is None or not row[language]:
                missing.append(f"{context}: {source!r}")
                return block
            return re.sub(r"<translation[^>]*?(/>|>.*?</translation>)",
                          lambda _: f"<translation>{xml_text(row[language])}</translation>", block, count=1,
                          flags=re.S)

        return re.sub(r"<message>.*?</message>", message, match.group(0), flags=re.S)

    text = re.sub(r"<context>.*?</context>", context_block, text, flags=re.S)
    ts_path.write_text(text, encoding="utf-8")
    return missing


def main():
    table = read_table()
    status = 0
    for language in sys.argv[1:] or LANGUAGES:
        ts = ROOT / "translations" / f"mervane_{language}.ts"
        missing = fill(ts, language, table)
        for m in missing:
            print(f"{ts.name}: no translation in the table for {m}")
        status |= bool(missing)
    return status


if __name__ == "__main__":
    sys.exit(main())
