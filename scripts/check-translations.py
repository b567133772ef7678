#!/usr/bin/env python3
"""Checks a translation of the program against its sources.

    check-translations.py --lupdate PATH --root SRC --ts translations/pellum_cs.ts SOURCE...

SOURCEs are the program's source files (the build passes those of the
program's libraries); C++ files and .ui forms count, other files and
generated ones are left out.

1. Completeness. The sources (C++ and .ui forms) are scanned again
   by lupdate into a copy of the .ts file, so a text added to the sources but
   not yet to the .ts counts as missing. Every text must have a finished,
   non-empty translation.

2. Form of each translation. The same placeholders (%1, %%NAME%%, %Name%),
   the same line breaks, the same leading and trailing blanks as the source;
   an accelerator ("&x") wherever the source has one, and never two; Czech
   typography: "…" instead of "...", „…“ instead of straight double quotes
   (texts with HTML markup excepted).

3. Accelerators of dialogs, in English and in Czech: no two texts of one
   group share a letter. Grouping: one group per .ui form (its texts are
   translated in the context named after the form's class), and within a form
   per page: the controls of a page of a tab widget, stacked widget or tool
   box are reachable only while the page shows, so each page is checked
   together with the controls outside the pages and with the page titles,
   but not with the other pages. Texts of widgets, group boxes, tab titles and
   buttons count; actions and menus of a form do not: menus are built from the
   actions in code, and their accelerators are checked at run time over the
   real menus (test_LanguageMenus).

4. Help pages (with --help-pages DIR): every page in DIR has its Czech page in
   DIR/cs with the same name.

Exit status 0 when everything holds, 1 with a list of problems otherwise.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ENTITIES = {"&lt;": "<", "&gt;": ">", "&quot;": '"', "&apos;": "'", "&amp;": "&"}
PAGE_CONTAINERS = {"QTabWidget", "QStackedWidget", "QToolBox"}
SKIPPED_WIDGETS = {"QMenu", "QMenuBar"}


def decode(raw):
    """The text of a .ts element's raw content (lupdate writes CR as <byte/>)."""
    raw = re.sub(r'<byte value="x([0-9a-fA-F]+)"/>', lambda m: "&#x%s;" % m.group(1), raw)
    raw = re.sub(r"&#x([0-9a-fA-F]+);", lambda m: chr(int(m.group(1), 16)), raw)
    return re.sub(r"&(lt|gt|quot|apos|amp);", lambda m: ENTITIES[m.group(0)], raw)


def read_ts(path):
    """[(context, source, translation or None, finished)] of a .ts file."""
    text = open(path, encoding="utf-8").read()
    messages = []
    for context in re.finditer(r"<context>(.*?)</context>", text, re.S):
        name = decode(re.search(r"<name>(.*?)</name>", context.group(1), re.S).group(1))
        for message in re.finditer(r"<message[^>]*>(.*?)</message>", context.group(1), re.S):
            body = message.group(1)
            source = decode(re.search(r"<source>(.*?)</source>", body, re.S).group(1))
            tr = re.search(r"<translation([^>]*)>(.*?)</translation>|<translation([^>]*)/>", body,
                           re.S)
            if tr is None:
                messages.append((name, source, None, False))
                continue
            attrs = tr.group(1) if tr.group(1) is not None else tr.group(3)
            value = decode(tr.group(2) or "")
            finished = "type=" not in attrs
            messages.append((name, source, value, finished))
    return messages


def accelerator(text):
    """The accelerator letter of a text (lower case), or None. "&&" is a plain "&"."""
    keys = [m.group(1) for m in re.finditer(r"&(.)", text.replace("&&", "")) if m.group(1) != " "]
    return keys[0].lower() if keys else None


def accelerator_count(text):
    return len([m for m in re.finditer(r"&(.)", text.replace("&&", "")) if m.group(1) != " "])


PLACEHOLDERS = re.compile(r"%%[A-Z_]+%%|%[A-Za-z]+%|%\d+")


def check_form(context, source, translation):
    """Problems of one translation's form."""
    problems = []
    if sorted(PLACEHOLDERS.findall(source)) != sorted(PLACEHOLDERS.findall(translation)):
        problems.append("placeholders differ")
    for ch, name in (("\n", "LF"), ("\r", "CR")):
        if source.count(ch) != translation.count(ch):
            problems.append(f"number of {name} differs")
    lead = lambda s: s[: len(s) - len(s.lstrip())]
    trail = lambda s: s[len(s.rstrip()):]
    if lead(source) != lead(translation) or trail(source) != trail(translation):
        problems.append("leading or trailing blanks differ")
    if accelerator_count(source) and accelerator_count(translation) != 1:
        problems.append("needs exactly one accelerator")
    if "..." in translation:
        problems.append('"..." instead of "…"')
    if '"' in translation and "<" not in translation:
        problems.append("straight double quotes instead of „…“")
    return [f"{context}: {source!r} -> {translation!r}: {p}" for p in problems]


def rescan(lupdate, root, ts, sources):
    """The messages of ts merged with a fresh scan of the sources."""
    work = tempfile.mkdtemp(prefix="check-translations-")
    try:
        copy = os.path.join(work, os.path.basename(ts))
        shutil.copyfile(ts, copy)
        command = [lupdate, "-silent", "-I", root, "-no-obsolete", "-locations", "none"]
        command += sources + ["-ts", copy]
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        return read_ts(copy)
    finally:
        shutil.rmtree(work)


def form_texts(path):
    """(context, [(page path, text)]) of a .ui form."""
    root = ET.parse(path).getroot()
    context = root.findtext("class")
    items = []

    def strings(element, tag, names):
        for prop in element.findall(tag):
            string = prop.find("string")
            if prop.get("name") in names and string is not None and string.text \
                    and string.get("notr") != "true":
                yield string.text

    def walk(node, pages, pages_below):
        for child in node:
            if child.tag == "widget":
                if child.get("class") in SKIPPED_WIDGETS:
                    continue
                own = pages
                if pages_below:
                    # A page: its title shows on the tab bar beside the others.
                    items.extend((pages, t) for t in strings(child, "attribute", ("title", "label")))
                    own = pages + (child.get("name"),)
                items.extend((own, t) for t in strings(child, "property", ("text", "title")))
                walk(child, own, child.get("class") in PAGE_CONTAINERS)
            elif child.tag in ("layout", "item"):
                walk(child, pages, False)

    top = root.find("widget")
    if top is not None:
        items.extend(((), t) for t in strings(top, "property", ("text", "title")))
        walk(top, (), top.get("class") in PAGE_CONTAINERS)
    return context, items


def check_form_accelerators(path, translations):
    """Clashes of a form's accelerators: the built-in English texts, then Czech."""
    context, items = form_texts(path)
    problems = []
    paths = {pages for pages, _ in items} or {()}
    leaves = [p for p in paths if not any(q != p and q[: len(p)] == p for q in paths)]
    languages = (("English", lambda text: text),
                 ("Czech", lambda text: translations.get((context, text))))
    seen = set()
    for language, shown in languages:
        for leaf in leaves:
            owners = {}
            for pages, text in items:
                if leaf[: len(pages)] != pages:
                    continue
                caption = shown(text)
                key = accelerator(caption) if caption else None
                if key is None:
                    continue
                owners.setdefault(key, []).append(caption)
            for key, texts in owners.items():
                clash = (language, key, tuple(sorted(texts)))
                if len(texts) > 1 and clash not in seen:
                    seen.add(clash)
                    where = "/".join(leaf) or "form"
                    problems.append(f"{os.path.basename(path)} ({where}, {language}): accelerator "
                                    f"'{key}' shared by " + ", ".join(repr(t) for t in texts))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lupdate", required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--ts", required=True)
    parser.add_argument("--help-pages", help="folder of the English help pages")
    parser.add_argument("sources", nargs="+")
    args = parser.parse_args()
    sources = [os.path.join(args.root, s) for s in args.sources
               if s.endswith((".cpp", ".h", ".ui")) and "_autogen" not in s]
    if not sources:
        print("no source files given")
        return 1

    problems = []
    messages = rescan(args.lupdate, args.root, args.ts, sources)
    translations = {}
    for context, source, translation, finished in messages:
        if not translation or not finished:
            problems.append(f"{context}: {source!r}: no finished translation")
            continue
        translations[(context, source)] = translation
        problems += check_form(context, source, translation)
    for form in sorted(s for s in sources if s.endswith(".ui")):
        problems += check_form_accelerators(form, translations)

    if args.help_pages:
        for name in sorted(os.listdir(args.help_pages)):
            czech = os.path.join(args.help_pages, "cs", name)
            if name.endswith(".html") and not os.path.isfile(czech):
                problems.append(f"help page {name}: no Czech page {czech}")

    for problem in problems:
        print(problem)
    print(f"{len(messages)} texts checked, {len(problems)} problems", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
