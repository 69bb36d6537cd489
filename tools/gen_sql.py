#!/usr/bin/env python3
"""Generate the database scripts in lib/sql from the one schema description.

    tools/gen_sql.py            write every script
    tools/gen_sql.py --check    exit 1 when a committed script differs from
                                what would be generated (nothing is written)

Inputs:  lib/sql/schema/schema.txt (tables, indexes, metadata, server
         variables, reference rows) and lib/sql/schema/demo.txt (the demo
         network). The syntax of both is described at the top of schema.txt.
Outputs: dbinit_mysql.sql, dbinit_pgsql.sql, dbinit_sqlite.sql,
         dbschema_sqlite.sql, demo_mysql.sql, demo_pgsql.sql, demo_sqlite.sql.

The init and demo scripts are run by the tool's batch runner, which splits at
semicolons outside single quotes and knows no comments, so the generated
scripts hold nothing but statements.
"""

import argparse
import os
import re
import sys

DIALECTS = ("mysql", "pgsql", "sqlite")

MYSQL_TABLE_OPTIONS = " ENGINE=InnoDB ROW_FORMAT=DYNAMIC DEFAULT CHARSET=utf8mb4"

TYPE_NAMES = {
    "integer": {"mysql": "integer", "pgsql": "integer", "sqlite": "integer"},
    "bigint": {"mysql": "bigint", "pgsql": "bigint", "sqlite": "bigint"},
    "int64": {"mysql": "bigint", "pgsql": "bigint", "sqlite": "number(20)"},
    "text": {"mysql": "text", "pgsql": "varchar", "sqlite": "varchar"},
}

NUMERIC_TYPES = ("integer", "bigint", "int64")

# Characters stored as they are in hash-escaped server variable values.
_PLAIN_CHARS = set(
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    " -_.,:;/@<>()[]{}!?*+=~^$&|")


class DescriptionError(Exception):
    pass


class Column:
    def __init__(self, name, ctype, not_null, default, compat):
        self.name = name
        self.ctype = ctype
        self.not_null = not_null
        self.default = default
        self.compat = compat

    @property
    def numeric(self):
        return self.ctype in NUMERIC_TYPES

    def type_name(self, dialect):
        if self.ctype in TYPE_NAMES:
            return TYPE_NAMES[self.ctype][dialect]
        return self.ctype


class Table:
    def __init__(self, name, kind):
        self.name = name
        self.kind = kind
        self.columns = []
        self.primary_key = []

    def column(self, name):
        for col in self.columns:
            if col.name == name:
                return col
        return None


class Schema:
    def __init__(self):
        self.tables = []
        self.indexes = []      # (name, table, [columns], compat)
        self.meta = []         # (name, {dialect: value})
        self.variables = []    # (name, plain value, visible, restart)
        self.rows = []         # (table, [columns], [[values]])
        self.idata = []        # (node id, [[values]]), demo only

    def table(self, name):
        for table in self.tables:
            if table.name == name:
                return table
        return None


# ---------------------------------------------------------------- literals

_TOKEN = re.compile(r"\s*(?:('(?:[^']|'')*')|(-?\d+)|([(),]))")


def parse_literals(text, where):
    """Parse "(v1,v2,...)" of SQL literals; texts come back as str, numbers
    as int."""
    values = []
    pos = 0
    expect = "("
    while True:
        match = _TOKEN.match(text, pos)
        if not match:
            rest = text[pos:].strip()
            if not rest and expect == "end":
                return values
            raise DescriptionError("%s: cannot read values near %r" % (where, text[pos:pos + 30]))
        pos = match.end()
        string, number, punct = match.groups()
        if expect == "(":
            if punct != "(":
                raise DescriptionError("%s: a row starts with (" % where)
            expect = "value"
        elif expect == "value":
            if string is not None:
                values.append(string[1:-1].replace("''", "'"))
            elif number is not None:
                values.append(int(number))
            else:
                raise DescriptionError("%s: value expected" % where)
            expect = "sep"
        elif expect == "sep":
            if punct == ",":
                expect = "value"
            elif punct == ")":
                expect = "end"
            else:
                raise DescriptionError("%s: , or ) expected" % where)
        else:
            raise DescriptionError("%s: text after the row" % where)


def parse_literal(text, where):
    values = parse_literals("(" + text + ")", where)
    if len(values) != 1:
        raise DescriptionError("%s: one value expected" % where)
    return values[0]


def sql_literal(value):
    if isinstance(value, int):
        return str(value)
    return "'" + value.replace("'", "''") + "'"


def hash_escape(text):
    """Server variable values are stored hash-escaped; "#00" is the empty
    text."""
    if text == "":
        return "#00"
    out = []
    for ch in text:
        if ch in _PLAIN_CHARS:
            out.append(ch)
        else:
            code = ord(ch)
            if code > 0xFF:
                raise ValueError("cannot hash-escape %r" % ch)
            out.append("#%02X" % code)
    return "".join(out)


# ------------------------------------------------------------------ parser

_COLUMN = re.compile(r"^(\w+)\s+(integer|bigint|int64|text|varchar\(\d+\))((?:\s+.*)?)$")
_IDENT_LIST = re.compile(r"^\(\s*(\w+(?:\s*,\s*\w+)*)\s*\)$")


def _ident_list(text, where):
    match = _IDENT_LIST.match(text.strip())
    if not match:
        raise DescriptionError("%s: expected (name,...)" % where)
    return [name.strip() for name in match.group(1).split(",")]


def _parse_column(line, where):
    match = _COLUMN.match(line)
    if not match:
        raise DescriptionError("%s: bad column %r" % (where, line))
    name, ctype, rest = match.groups()
    not_null = False
    default = None
    compat = False
    rest = rest.strip()
    while rest:
        if rest.startswith("not null"):
            not_null = True
            rest = rest[8:].strip()
        elif rest.startswith("compat"):
            compat = True
            rest = rest[6:].strip()
        elif rest.startswith("default "):
            token = _TOKEN.match(rest, 8)
            if not token or token.group(3):
                raise DescriptionError("%s: bad default" % where)
            default = parse_literal(token.group(0), where)
            rest = rest[token.end():].strip()
        else:
            raise DescriptionError("%s: unknown column attribute %r" % (where, rest))
    return Column(name, ctype, not_null, default, compat)


def parse_description(path, schema=None, demo=False):
    """Read one description file into schema (a new one unless given)."""
    if schema is None:
        schema = Schema()
    table = None
    rows = None
    with open(path, encoding="utf-8") as handle:
        lines = handle.read().split("\n")
    for number, raw in enumerate(lines, 1):
        where = "%s:%d" % (os.path.basename(path), number)
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        if line.startswith("("):
            if rows is None:
                raise DescriptionError("%s: row outside a rows block" % where)
            values = parse_literals(line, where)
            if len(values) != len(rows[1]):
                raise DescriptionError("%s: %d values for %d columns" % (where, len(values), len(rows[1])))
            rows[2].append(values)
            continue
        word, _, rest = line.partition(" ")
        rest = rest.strip()
        if raw.startswith((" ", "\t")) and table is not None:
            if line.startswith("primary key"):
                table.primary_key = _ident_list(line[len("primary key"):], where)
            else:
                table.columns.append(_parse_column(line, where))
            continue
        table = None
        rows = None
        if word == "table" and not demo:
            name, _, kind = rest.partition(" ")
            if kind not in ("core", "extra") or schema.table(name):
                raise DescriptionError("%s: bad table line" % where)
            table = Table(name, kind)
            schema.tables.append(table)
        elif word == "index" and not demo:
            parts = rest.split(None, 2)
            compat = parts[2].endswith(" compat")
            columns = _ident_list(parts[2][:-7] if compat else parts[2], where)
            schema.indexes.append((parts[0], parts[1], columns, compat))
        elif word == "meta" and not demo:
            name, dialect, value = rest.split(None, 2)
            value = parse_literal(value, where)
            entry = next((m for m in schema.meta if m[0] == name), None)
            if entry is None:
                entry = (name, {})
                schema.meta.append(entry)
            for d in (DIALECTS if dialect == "all" else (dialect,)):
                if d not in DIALECTS or d in entry[1]:
                    raise DescriptionError("%s: bad or repeated dialect" % where)
                entry[1][d] = value
        elif word == "var" and not demo:
            match = re.match(r"^(\w+)\s+('(?:[^']|'')*')\s+([01])\s+([01])$", rest)
            if not match:
                raise DescriptionError("%s: bad var line" % where)
            schema.variables.append((match.group(1), parse_literal(match.group(2), where),
                                     int(match.group(3)), int(match.group(4))))
        elif word == "rows":
            name, _, columns = rest.partition(" ")
            rows = (name, _ident_list(columns, where), [])
            schema.rows.append(rows)
        elif word == "idata" and demo:
            rows = ("idata_" + rest, ["item_id", "idata_timestamp", "idata_value"], [])
            schema.idata.append((int(rest), rows[2]))
        else:
            raise DescriptionError("%s: unknown directive %r" % (where, word))
    return schema


def complete_rows(schema, rows, strict):
    """Check the rows against their tables and give every column a value.

    In strict mode every column must be listed; otherwise a missing column
    takes its default, or 0 or the empty text."""
    done = []
    for name, columns, values in rows:
        table = schema.table(name)
        if table is None:
            raise DescriptionError("rows for unknown table %s" % name)
        for col in columns:
            if table.column(col) is None:
                raise DescriptionError("unknown column %s.%s" % (name, col))
        missing = [c for c in table.columns if c.name not in columns]
        if strict and missing:
            raise DescriptionError("rows of %s lack %s" % (name, ", ".join(c.name for c in missing)))
        full = []
        for row in values:
            given = dict(zip(columns, row))
            out = []
            for col in table.columns:
                if col.name in given:
                    value = given[col.name]
                elif col.default is not None:
                    value = col.default
                else:
                    value = 0 if col.numeric else ""
                if isinstance(value, int) != col.numeric:
                    raise DescriptionError("%s.%s: value %r does not fit %s" % (name, col.name, value, col.ctype))
                out.append(value)
            full.append(out)
        done.append((name, [c.name for c in table.columns], full))
    return done


def validate(schema):
    core = [t for t in schema.tables if t.kind == "core"]
    if len(core) != 74:
        raise DescriptionError("%d core tables, 74 expected" % len(core))
    if not schema.table("metadata"):
        raise DescriptionError("table metadata missing")
    for table in schema.tables:
        if not table.columns:
            raise DescriptionError("table %s has no columns" % table.name)
        for col in table.primary_key:
            if table.column(col) is None:
                raise DescriptionError("primary key column %s.%s unknown" % (table.name, col))
    names = set()
    for name, table, columns, _ in schema.indexes:
        if name in names:
            raise DescriptionError("index name %s repeated" % name)
        names.add(name)
        found = schema.table(table)
        if not found or any(found.column(c) is None for c in columns):
            raise DescriptionError("index %s on unknown table or column" % name)
    for name, values in schema.meta:
        if set(values) != set(DIALECTS):
            raise DescriptionError("metadata %s lacks a dialect" % name)


# ----------------------------------------------------------------- writers

def create_table(table, dialect):
    parts = []
    for col in table.columns:
        text = "%s %s" % (col.name, col.type_name(dialect))
        if col.not_null:
            text += " not null"
        if col.default is not None:
            text += " default " + sql_literal(col.default)
        parts.append(text)
    if table.primary_key:
        parts.append("PRIMARY KEY(%s)" % ",".join(table.primary_key))
    text = "CREATE TABLE %s (\n  %s\n)" % (table.name, ",\n  ".join(parts))
    if dialect == "mysql":
        text += MYSQL_TABLE_OPTIONS
    return text


def insert(table, columns, values):
    return "INSERT INTO %s (%s) VALUES (%s)" % (
        table, ",".join(columns), ",".join(sql_literal(v) for v in values))


def script(groups):
    """Join groups of statements: one statement per line (or block), each
    ended by a semicolon, groups separated by an empty line."""
    out = []
    for group in groups:
        if group:
            out.append("".join(stmt + ";\n" for stmt in group))
    return "\n".join(out)


def schema_statements(schema, dialect):
    groups = [[create_table(t, dialect)] for t in schema.tables]
    groups.append(["CREATE INDEX %s ON %s(%s)" % (name, table, ",".join(cols))
                   for name, table, cols, _ in schema.indexes])
    return groups


def metadata_rows(schema, dialect):
    return [insert("metadata", ["var_name", "var_value"], [name, values[dialect]])
            for name, values in schema.meta]


def config_rows(schema):
    return [insert("config", ["var_name", "var_value", "is_visible", "need_server_restart"],
                   [name, hash_escape(value), visible, restart])
            for name, value, visible, restart in schema.variables]


def reference_rows(schema):
    groups = []
    for table, columns, rows in complete_rows(schema, schema.rows, strict=True):
        groups.append([insert(table, columns, row) for row in rows])
    return groups


def dbinit(schema, dialect):
    groups = schema_statements(schema, dialect)
    groups.append(metadata_rows(schema, dialect))
    groups.append(config_rows(schema))
    groups.extend(reference_rows(schema))
    return script(groups)


def dbschema_sqlite(schema):
    groups = schema_statements(schema, "sqlite")
    groups.append(metadata_rows(schema, "sqlite"))
    return script(groups)


def node_table_statements(schema, dialect, node_id):
    meta = dict(schema.meta)
    stmts = [meta["IDataTableCreationCommand"][dialect] % node_id]
    for k in range(4):
        name = "IDataIndexCreationCommand_%d" % k
        if name not in meta:
            break
        stmts.append(meta[name][dialect] % (node_id, node_id))
    return stmts


def demo(schema, demo_schema, dialect):
    groups = []
    for table, columns, rows in complete_rows(schema, demo_schema.rows, strict=False):
        groups.append([insert(table, columns, row) for row in rows])
    node_ids = []
    for table, columns, rows in complete_rows(schema, demo_schema.rows, strict=False):
        if table == "nodes":
            node_ids.extend(row[columns.index("id")] for row in rows)
    idata = dict(demo_schema.idata)
    unknown = set(idata) - set(node_ids)
    if unknown:
        raise DescriptionError("idata for nodes without a nodes row: %s" % sorted(unknown))
    for node_id in node_ids:
        group = node_table_statements(schema, dialect, node_id)
        group.extend(insert("idata_%d" % node_id, ["item_id", "idata_timestamp", "idata_value"], row)
                     for row in idata.get(node_id, []))
        groups.append(group)
    return script(groups)


def load(root):
    schema = parse_description(os.path.join(root, "lib", "sql", "schema", "schema.txt"))
    validate(schema)
    demo_schema = parse_description(os.path.join(root, "lib", "sql", "schema", "demo.txt"),
                                    Schema(), demo=True)
    return schema, demo_schema


def generate(root):
    """Return {file name: text} for every generated script."""
    schema, demo_schema = load(root)
    out = {}
    for dialect in DIALECTS:
        out["dbinit_%s.sql" % dialect] = dbinit(schema, dialect)
        out["demo_%s.sql" % dialect] = demo(schema, demo_schema, dialect)
    out["dbschema_sqlite.sql"] = dbschema_sqlite(schema)
    return out


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare the committed scripts with the generated ones")
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                        help="repository root (default: the one holding this script)")
    args = parser.parse_args(argv)
    try:
        scripts = generate(args.root)
    except DescriptionError as err:
        print("gen_sql: %s" % err, file=sys.stderr)
        return 2
    outdir = os.path.join(args.root, "lib", "sql")
    stale = []
    for name, text in sorted(scripts.items()):
        path = os.path.join(outdir, name)
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
    if args.check:
        for name in stale:
            print("gen_sql: lib/sql/%s is not what the description gives; run tools/gen_sql.py" % name)
        return 1 if stale else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
