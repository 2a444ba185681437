#!/usr/bin/python3
"""Prints random valid ISBNs of every 978 registration group with the forms
python3-stdnum (the agency's range data) gives them, for the hyphenation
test: ISBN-10, TAB, its hyphenated form, TAB, the 13-digit barcode, TAB, its
hyphenated form. Only ISBNs whose group and publisher the agency assigns are
printed. Usage: agency_forms.py [PER_GROUP]"""
import random
import sys

from stdnum import isbn, numdb


def groups():
    """The 978 registration groups of stdnum's range data."""
    for _, low, high, _, children in numdb.get("isbn").prefixes:
        if low <= "978" <= high:
            for _, group, last, properties, _ in children:
                if group == last and "agency" in properties:
                    yield group


def check10(body):
    total = sum((10 - i) * int(d) for i, d in enumerate(body))
    value = (11 - total % 11) % 11
    return "X" if value == 10 else str(value)


def main():
    per_group = int(sys.argv[1]) if len(sys.argv) > 1 else 200
    rng = random.Random(20221113)
    for group in groups():
        for _ in range(per_group):
            body = group + "".join(
                rng.choice("0123456789") for _ in range(9 - len(group)))
            code10 = body + check10(body)
            _, g, publisher, _, _ = isbn.split(code10)
            if not g or not publisher:
                continue
            code13 = isbn.to_isbn13(code10)
            print("\t".join((code10, isbn.format(code10), code13,
                             isbn.format(code13))))


if __name__ == "__main__":
    main()
