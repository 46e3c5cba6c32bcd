#!/usr/bin/python3
"""Writes a dBase table with python3-dbf, for the tests.

Usage: pydbf_write.py TABLE.DBF FLAVOUR DESCRIPTION.TXT [VERSION]
FLAVOUR is db3 (dBase III/IV), fp (FoxPro with memo) or vfp (Visual FoxPro).
The description (Windows-1252) has "field NAME TYPE LENGTH DECIMALS" lines,
then for each record a "record" line followed by "NAME=value" lines (fields
left out, or given as "<blank>", stay blank); a "delete" line marks the
record just written deleted. VERSION (e.g. 0x8b) overwrites the version byte
afterwards, to present the same table as another dBase flavour.
"""
import datetime
import sys

import dbf


def field_spec(name, kind, length, decimals):
    if kind == 'C':
        return '%s C(%d)' % (name, length)
    if kind in 'NF':
        return '%s %s(%d,%d)' % (name, kind, length, decimals)
    return '%s %s' % (name, kind)


def value_of(kind, decimals, text):
    if kind in 'NF':
        return int(text) if kind == 'N' and decimals == 0 else float(text)
    if kind == 'I':
        return int(text)
    if kind == 'B':
        return float(text)
    if kind == 'L':
        return text == 'T'
    if kind == 'D':
        return datetime.date(int(text[0:4]), int(text[4:6]), int(text[6:8]))
    return text


def main():
    path, flavour, description = sys.argv[1:4]
    lines = open(description, encoding='cp1252').read().splitlines()
    fields = []
    for line in lines:
        if line.startswith('field '):
            _, name, kind, length, decimals = line.split(' ')
            fields.append((name, kind, int(length), int(decimals)))
    table = dbf.Table(path, '; '.join(field_spec(*f) for f in fields), dbf_type=flavour, codepage='cp1252')
    table.open(dbf.READ_WRITE)
    kinds = {f[0].upper(): f for f in fields}
    record = None
    for line in lines:
        if line == 'record':
            table.append()
            record = table[-1]
        elif line == 'delete':
            dbf.delete(record)
        elif not line.startswith('field ') and '=' in line:
            name, text = line.split('=', 1)
            if text == '<blank>':
                continue
            _, kind, _, decimals = kinds[name.upper()]
            with record:
                record[name.lower()] = value_of(kind, decimals, text)
    table.close()
    if len(sys.argv) > 4:
        with open(path, 'r+b') as f:
            f.write(bytes([int(sys.argv[4], 16)]))


if __name__ == '__main__':
    main()
