"""Parses every card of a vCard file with Python's vobject (another vCard
reader than ours) and compares names, phones and addresses with what the
program meant to write, given as JSON.

    vcard_vobject_check.py FILE.vcf EXPECTED.json

Exit 0 when every card matches, 1 with the differences otherwise."""
import json
import sys

import vobject


def listed(value):
    return ",".join(value) if isinstance(value, list) else value


def card_facts(card):
    name = card.n.value
    facts = {
        "family": listed(name.family),
        "given": listed(name.given),
        "fn": card.fn.value,
        "tel": [],
        "adr": [],
    }
    for tel in card.contents.get("tel", []):
        types = ",".join(t.lower() for t in tel.params.get("TYPE", []))
        facts["tel"].append([types, tel.value])
    for adr in card.contents.get("adr", []):
        a = adr.value
        types = ",".join(t.lower() for t in adr.params.get("TYPE", []))
        facts["adr"].append([types, listed(a.street), listed(a.city), listed(a.extended),
                             listed(a.code), listed(a.country)])
    return facts


def main():
    with open(sys.argv[1], encoding="utf-8", newline="") as f:
        text = f.read()
    with open(sys.argv[2], encoding="utf-8") as f:
        expected = json.load(f)
    cards = list(vobject.readComponents(text))
    problems = []
    if len(cards) != len(expected):
        problems.append(f"{len(cards)} cards read, {len(expected)} expected")
    for i, (card, want) in enumerate(zip(cards, expected)):
        got = card_facts(card)
        for key in want:
            if got[key] != want[key]:
                problems.append(f"card {i} {key}: got {got[key]!r}, expected {want[key]!r}")
    for p in problems[:20]:
        print(p)
    print(f"{len(cards)} cards parsed by vobject, {len(problems)} differences")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
