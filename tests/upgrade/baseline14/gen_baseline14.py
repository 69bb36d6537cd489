#!/usr/bin/env python3
"""Write the version-14 baseline scripts from baseline14.txt.

    gen_baseline14.py           write baseline14_<dialect>.sql
    gen_baseline14.py --check   exit 1 when a committed script is stale

Each script fills an empty database of its dialect with a database of schema
version 14 (tables, config rows, per-node data tables and their rows); load
it with "schemon batch baseline14_<dialect>.sql". The description syntax and
the column types are those of lib/sql/schema/schema.txt, read with the
parser of tools/gen_sql.py; config gets the rows DBFormatVersion, DBSyntax
and IDataTableCreationCommand of each dialect here, the last two taken from
the shipped metadata so that the upgraded database carries the same values.
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(HERE)))
sys.path.insert(0, os.path.join(ROOT, "tools"))

import gen_sql  # noqa: E402

SYNTAX_NAMES = {"mysql": "MYSQL", "pgsql": "PGSQL", "sqlite": "SQLITE"}


def config_rows(baseline, shipped, dialect):
    meta = dict(shipped.meta)
    rows = [("DBFormatVersion", "14", 0, 1),
            ("DBSyntax", SYNTAX_NAMES[dialect], 0, 1),
            ("IDataTableCreationCommand",
             meta["IDataTableCreationCommand"][dialect], 0, 1)]
    rows.extend(baseline.variables)
    return [gen_sql.insert("config",
                           ["var_name", "var_value", "is_visible", "need_server_restart"],
                           [name, gen_sql.hash_escape(value), visible, restart])
            for name, value, visible, restart in rows]


def baseline_script(baseline, shipped, dialect):
    groups = [[gen_sql.create_table(t, dialect)] for t in baseline.tables]
    groups.append(config_rows(baseline, shipped, dialect))
    for table, columns, rows in gen_sql.complete_rows(baseline, baseline.rows, strict=False):
        groups.append([gen_sql.insert(table, columns, row) for row in rows])
    return gen_sql.script(groups)


def generate():
    baseline = gen_sql.parse_description(os.path.join(HERE, "baseline14.txt"))
    shipped, _ = gen_sql.load(ROOT)
    return {"baseline14_%s.sql" % d: baseline_script(baseline, shipped, d)
            for d in gen_sql.DIALECTS}


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare the committed scripts with the generated ones")
    args = parser.parse_args(argv)
    try:
        scripts = generate()
    except gen_sql.DescriptionError as err:
        print("gen_baseline14: %s" % err, file=sys.stderr)
        return 2
    stale = []
    for name, text in sorted(scripts.items()):
        path = os.path.join(HERE, name)
        if args.check:
            try:
                with open(path, encoding="utf-8", newline="") as handle:
                    current = handle.read()
            except OSError:
                current = None
            if current != text:
                stale.append(name)
        else:
            with open(path, "w", encoding="utf-8", newline="") as handle:
                handle.write(text)
    for name in stale:
        print("gen_baseline14: %s is stale; run %s" % (name, os.path.relpath(__file__, ROOT)))
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
