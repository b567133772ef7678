#!/usr/bin/env python3
"""Fills translations of a Qt .ts file from a table; prints what is left.

    fill-translations.py translations/pellum_cs.ts TABLE.py

TABLE.py defines CTX = {context: {source: translation}} and optionally
ALL = {source: translation} for texts of any context. Entries of the .ts
whose context and source the table knows get the table's translation and
count as finished; the texts still without a finished translation are listed.
"""
import re, sys, runpy
from xml.sax.saxutils import escape

ENT = {"&lt;": "<", "&gt;": ">", "&quot;": '"', "&apos;": "'", "&amp;": "&"}

def decode(raw):
    raw = re.sub(r'<byte value="x([0-9a-fA-F]+)"/>', lambda m: "&#x%s;" % m.group(1), raw)
    raw = re.sub(r"&#x([0-9a-fA-F]+);", lambda m: chr(int(m.group(1), 16)), raw)
    return re.sub(r"&(lt|gt|quot|apos|amp);", lambda m: ENT[m.group(0)], raw)

def encode(text):
    out = escape(text, {'"': "&quot;", "'": "&apos;"})
    return out.replace("\r", '<byte value="xd"/>')

def main(ts, table):
    data = runpy.run_path(table)
    ctxs, glob = data.get("CTX", {}), data.get("ALL", {})
    s = open(ts, encoding="utf-8").read()
    left = []
    def ctx_repl(cm):
        name = re.search(r"<name>(.*?)</name>", cm.group(0)).group(1)
        def msg_repl(mm):
            body = mm.group(0)
            src = decode(re.search(r"<source>(.*?)</source>", body, re.S).group(1))
            tm = re.search(r'<translation( type="unfinished")?>(.*?)</translation>', body, re.S)
            tr = ctxs.get(name, {}).get(src, glob.get(src))
            if tr is None:
                if tm.group(1) or not tm.group(2):
                    left.append((name, src))
                return body
            return body[:tm.start()] + "<translation>" + encode(tr) + "</translation>" + body[tm.end():]
        return re.sub(r"<message.*?</message>", msg_repl, cm.group(0), flags=re.S)
    s = re.sub(r"<context>.*?</context>", ctx_repl, s, flags=re.S)
    open(ts, "w", encoding="utf-8").write(s)
    for n, src in left:
        print(f"{n}\t{src!r}")
    print(len(left), "left", file=sys.stderr)

main(sys.argv[1], sys.argv[2])
