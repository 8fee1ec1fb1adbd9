#!/usr/bin/env python3
"""Checks JreSelectCli's --json documents with Python's own json module.

    check_json.py documents FOLDER   every *.json below FOLDER, kept by the tests
                                     (tests/cli/json_twin.h), with the text forms beside them
    check_json.py examples CLI_MD    the --json examples of docs/cli.md

Each document must be plain ASCII and one JSON value. A document of the console program
(one with "schema") must match the schema below exactly: the fields named, of their types and
words, no others. Where the test kept the text form of the same command on the same machine
state (NAME.cpNNNN.txt, ANSI text of code page NNNN), the text is rendered again from the
document alone and must be the same bytes: the same runtimes, order, marks, values and reasons.
An error's document must carry the code and the first line of stderr (NAME.cpNNNN.err).
The words of the text forms come from the program's own table, cli/words.cpp: what is checked
is that both forms took the same row for each fact and put every fact where the text puts it.
"""

import json
import os
import re
import sys

SCHEMA = 2

SOURCES = {"bundled", "registered", "microsoft"}
OUTCOMES = {
    "listed", "not_added", "home_too_long", "home_dir_too_long", "key_absent", "no_subkeys",
    "name_too_long", "key_path_too_long", "no_java_home", "java_home_too_long",
    "java_home_dir_too_long", "launcher_not_found", "no_version_resource", "version_below_5",
    "home_lone_lead_byte", "java_home_lone_lead_byte",
}
TRIALS = {
    "no_directory", "path_too_long", "not_fully_qualified", "too_long_to_test",
    "no_version_functions", "not_found", "found",
}
VIEWS = {"own", "32-bit", "64-bit"}
ARCHITECTURES = {None, "x86", "x64", "arm64", "unknown"}
CURRENT_REASONS = {"starter_equals_launcher", "starter_too_long", "starter_matches_none"}
HEX = re.compile(r"^([0-9a-f]{2})*$")


# --- the words of the text forms -------------------------------------------------------
# Read from the program's own table (cli/words.cpp), one row per fact: this check does not
# hold its own copy of them. What it checks is that each printer took the same row for the
# same fact and put the facts where the text form puts them.

WORDS_CPP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cli",
                         "words.cpp")
TOKEN = re.compile(r'"((?:[^"\\]|\\.)*)"|(nullptr)|([A-Za-z_][A-Za-z0-9_]*)|(,)')


def c_string(literal):
    return re.sub(r"\\(.)", lambda m: m.group(1), literal)


def read_words(path):
    """{table: {code: (text, other)}} from the rows {kValue, {"code", "text", other}}."""
    with open(path, encoding="ascii") as f:
        source = re.sub(r"//[^\n]*", "", f.read())
    constants = {name: c_string("".join(re.findall(r'"((?:[^"\\]|\\.)*)"', body)))
                 for name, body in re.findall(r"const char (\w+)\[\] = ([^;]*);", source)}
    tables = {}
    for name, body in re.findall(r"const Row<\w+> (\w+)\[\] = \{(.*?)\n\};", source, re.S):
        rows = {}
        for row in re.findall(r"\{[\w:]+,\s*\{(.*?)\}\}", body, re.S):
            # Fields split at commas; adjacent literals are one text, as in C.
            fields = [None]
            for literal, null, ident, comma in TOKEN.findall(row):
                if comma:
                    fields.append(None)
                elif ident and not null:
                    fields[-1] = constants[ident]
                elif not null:
                    fields[-1] = (fields[-1] or "") + c_string(literal)
            code, text, other = fields
            rows[code] = (text, other)
        tables[name] = rows
    return tables


WORDS = read_words(WORDS_CPP)


def words(table, code, *details, other=False):
    """The row's text (or its other wording) with its %s filled by details, in order."""
    if code not in WORDS[table]:
        raise Mismatch(f"{code!r} has no row in {table}")
    text = WORDS[table][code][1 if other else 0]
    wanted = text.count("%s")
    return text % tuple((list(details) + [""] * wanted)[:wanted])


class Mismatch(Exception):
    pass


def fail(where, what):
    raise Mismatch(f"{where}: {what}")


# --- the schema -------------------------------------------------------------------------

def text_or_null(where, value):
    if value is not None and not isinstance(value, str):
        fail(where, f"text or null expected, got {value!r}")


def one_of(words):
    def check(where, value):
        if value not in words:
            fail(where, f"{value!r} is none of {sorted(w for w in words if w is not None)}")
    return check


def kind(python_type):
    def check(where, value):
        # bool is an int in Python; a number field must not hold true or false.
        if not isinstance(value, python_type) or (python_type is int and isinstance(value, bool)):
            fail(where, f"{python_type.__name__} expected, got {value!r}")
    return check


def int_or_null(where, value):
    if value is not None:
        kind(int)(where, value)


def array_of(fields):
    def check(where, value):
        if not isinstance(value, list):
            fail(where, "array expected")
        for i, element in enumerate(value):
            check_object(f"{where}[{i}]", element, fields)
    return check


def check_object(where, value, fields):
    """Exactly the fields named, each checked; NAME_bytes beside a text NAME that the code
    page could not convert (hexadecimal bytes)."""
    if not isinstance(value, dict):
        fail(where, f"object expected, got {value!r}")
    for name, check in fields.items():
        if name not in value:
            fail(where, f"no field {name!r}")
        if callable(check):
            check(f"{where}.{name}", value[name])
        else:
            check_object(f"{where}.{name}", value[name], check)
    for name in value:
        if name in fields:
            continue
        base = name[:-len("_bytes")] if name.endswith("_bytes") else None
        if base in fields and isinstance(value[name], str) and HEX.match(value[name]):
            if not isinstance(value[base], str) or "\ufffd" not in value[base]:
                fail(where, f"{name} beside a text that converted")
            continue
        fail(where, f"unknown field {name!r}")


TRIED = {
    "file": one_of({"javaw.exe", "jrew.exe", "wjview.exe"}),
    "place": one_of({"directory", "windows_directory", "system_directory"}),
    "path": text_or_null,
    "result": one_of(TRIALS),
}
NOTE_FACTS = {
    "javaHome": text_or_null,
    "javaHomeHasReferences": kind(bool),
    "directory": text_or_null,
    "launcher": text_or_null,
    "version": text_or_null,
    "tried": array_of(TRIED),
}
RUNTIME = {
    "index": kind(int),
    "text": kind(str),
    "launcher": kind(str),
    "current": kind(bool),
    "source": one_of(SOURCES),
    "subkey": text_or_null,
    "key": text_or_null,
    "javaHome": text_or_null,
    "version": text_or_null,
}
CANDIDATE = dict({
    "source": one_of(SOURCES),
    "outcome": one_of(OUTCOMES),
    "subkeyIndex": int_or_null,
    "subkey": text_or_null,
    "parentKey": text_or_null,
    "key": text_or_null,
    "listIndex": int_or_null,
    "text": text_or_null,
}, **NOTE_FACTS)
SETTING = {"value": text_or_null, "tooLong": kind(bool)}
INVENTORY_REASONS = {"too_long", "network_path", "device_path", "unexpanded",
                     "not_fully_qualified", "not_text", "not_in_code_page", "lone_lead_byte",
                     "launcher_too_long", "no_launcher",
                     "left_out_by_search", "not_in_bin", "other_view", "javasoft_key",
                     "vendor_key", "per_user", "only_environment", "only_path", "only_folder"}
INVENTORY_SOURCE = {
    "kind": one_of({"list_key", "list_key_other_view", "javasoft_key", "vendor_key", "user_key",
                    "environment", "path", "folder"}),
    "distribution": text_or_null,
    "hive": one_of({"HKLM", "HKCU", None}),
    "view": one_of(VIEWS | {None}),
    "where": text_or_null,
    "value": text_or_null,
    "valueType": int_or_null,
    "pathIndex": int_or_null,
}
HOME = {
    "home": text_or_null,
    "length": kind(int),
    "reason": one_of(INVENTORY_REASONS),
    "probed": kind(bool),
    "directory": text_or_null,
    "javaw": text_or_null,
    "java": text_or_null,
    "version": text_or_null,
    "versionFrom": one_of({"release", "launcher", None}),
    "architecture": one_of(ARCHITECTURES - {None}),
    "sources": array_of(INVENTORY_SOURCE),
}
# The reasons a PATH entry is not looked at: none looked at a file.
PATH_ENTRY_REASONS = {"too_long", "network_path", "device_path", "unexpanded",
                      "not_fully_qualified", "not_in_code_page", "lone_lead_byte"}
PATH_ENTRY = {
    "pathIndex": kind(int),
    "entry": text_or_null,
    "length": kind(int),
    "reason": one_of(PATH_ENTRY_REASONS),
}
JAVAPATH_OUTCOMES = {"no_copy_version", "unknown_machine", "no_current_version",
                     "current_version_not_text", "other_version", "no_java_home",
                     "java_home_not_text", "runs_home"}
JAVAPATH = {
    "folder": kind(str),
    "pathIndex": kind(int),
    "javaw": kind(bool),
    "java": kind(bool),
    "copyVersion": text_or_null,
    "copyArchitecture": one_of(ARCHITECTURES),
    "key": text_or_null,
    "view": one_of(VIEWS | {None}),
    "currentVersion": text_or_null,
    "outcome": one_of(JAVAPATH_OUTCOMES),
    "home": text_or_null,
    "homeOffered": kind(bool),
    "homeTold": one_of({None, "offered", "above", "list_key", "nowhere"}),
}

HEAD = {"schema": one_of({SCHEMA}), "command": kind(str)}
DOCUMENTS = {
    "list": dict(HEAD, runtimes=array_of(RUNTIME), current=int_or_null),
    "list --all": dict(HEAD, runtimes=array_of(RUNTIME), current=int_or_null,
                       homes=array_of(HOME)),
    "explain": dict(HEAD, settings={"key": kind(str), "home": SETTING, "starter": SETTING},
                    candidates=array_of(CANDIDATE), runtimes=array_of(RUNTIME),
                    current=int_or_null, currentReason=one_of(CURRENT_REASONS),
                    homes=array_of(HOME), pathEntries=array_of(PATH_ENTRY),
                    javapaths=array_of(JAVAPATH)),
    "set": dict(HEAD, set={"index": kind(int), "text": kind(str), "starter": kind(str),
                           "classes": kind(str)}),
    "error": dict(HEAD, error={"code": one_of({1, 2, 3, 4}), "message": kind(str)}),
}


def check_document(where, document):
    """The document's kind after checking it against the schema."""
    if not isinstance(document, dict) or "schema" not in document:
        fail(where, "not an object with \"schema\"")
    name = "error" if "error" in document else document.get("command")
    if name not in DOCUMENTS:
        fail(where, f"unknown command {name!r}")
    check_object(where, document, DOCUMENTS[name])
    runtimes = document.get("runtimes")
    if runtimes is not None:
        if [r["index"] for r in runtimes] != list(range(len(runtimes))):
            fail(where, "runtimes not indexed 0, 1, ... in order")
        marked = [r["index"] for r in runtimes if r["current"]]
        if marked != ([] if document["current"] is None else [document["current"]]):
            fail(where, f"current {document['current']} against the marks {marked}")
    for i, j in enumerate(document.get("javapaths", [])):
        if j["homeOffered"] != (j["homeTold"] == "offered"):
            fail(f"{where}.javapaths[{i}]", "homeOffered against homeTold")
        if (j["copyVersion"] is None) != (j["copyArchitecture"] is None) or \
                (j["home"] is None) != (j["homeTold"] is None):
            fail(f"{where}.javapaths[{i}]", "a copy's version without its architecture, or a "
                                             "home without how it is told")
        asked_none = j["outcome"] in ("no_copy_version", "unknown_machine", "no_current_version")
        if (j["key"] is None) != asked_none or (asked_none and j["currentVersion"] is not None) \
                or (j["outcome"] == "current_version_not_text" and j["currentVersion"] is not None):
            fail(f"{where}.javapaths[{i}]", f"a key or CurrentVersion with outcome {j['outcome']}")
        if (j["home"] is not None) != (j["outcome"] == "runs_home"):
            fail(f"{where}.javapaths[{i}]", f"home {j['home']!r} with outcome {j['outcome']}")
        if j["copyArchitecture"] in (None, "unknown") and \
                any(j[n] is not None for n in ("key", "view", "currentVersion", "home")):
            fail(f"{where}.javapaths[{i}]", "a key asked without the copy's version and machine")
    for i, e in enumerate(document.get("pathEntries", [])):
        if (e["entry"] is None) != (e["reason"] in ("too_long", "not_in_code_page")):
            fail(f"{where}.pathEntries[{i}]", f"entry {e['entry']!r} with reason {e['reason']}")
    for i, h in enumerate(document.get("homes", [])):
        if not h["probed"] and (h["javaw"] or h["java"] or h["versionFrom"]):
            fail(f"{where}.homes[{i}]", "launchers or a version of a home not looked at")
        if (h["version"] is None) != (h["versionFrom"] is None):
            fail(f"{where}.homes[{i}]", "a version without its origin, or an origin alone")
        for k, source in enumerate(h["sources"]):
            check_source(f"{where}.homes[{i}].sources[{k}]", source)
    if name == "explain":
        listed = [c for c in document["candidates"] if c["outcome"] == "listed"]
        if [(c["listIndex"], c["text"]) for c in listed] != \
                [(r["index"], r["text"]) for r in runtimes]:
            fail(where, "the listed candidates are not the runtimes")
    return name


def check_source(where, source):
    """A source's kind, hive, view and key agree: the text form names the key and hive, not
    the kind."""
    kind, hive, view = source["kind"], source["hive"], source["view"]
    key = source["where"] or ""
    if kind not in REGISTRY_KINDS:
        if hive is not None or view is not None or source["valueType"] is not None:
            fail(where, f"a {kind} source with a hive, view or value type")
        if (kind == "path") != (source["pathIndex"] is not None):
            fail(where, f"a {kind} source with pathIndex {source['pathIndex']}")
        return
    if hive is None or view is None or (kind == "user_key") != (hive == "HKCU"):
        fail(where, f"a {kind} source in hive {hive}, view {view}")
    list_key = key.startswith("SOFTWARE\\JavaSoft\\Java Runtime Environment\\")
    if kind in ("list_key", "list_key_other_view") and \
            (not list_key or (kind == "list_key") != (view == "own")):
        fail(where, f"a {kind} source at {key!r} in the {view} view")
    if (kind == "javasoft_key") != (hive == "HKLM" and
                                    re.match(r"SOFTWARE\\JavaSoft\\(JRE|JDK)\\", key) is not None):
        fail(where, f"a {kind} source at {key!r}")
    if kind == "vendor_key" and list_key:
        fail(where, f"a vendor_key source at {key!r}")


def load(where, data):
    """One JSON value of plain ASCII (printable, and line ends) with no repeated field."""
    for offset, byte in enumerate(data):
        if byte >= 0x7F or (byte < 0x20 and byte not in (0x0A, 0x0D)):
            fail(where, f"byte 0x{byte:02x} at {offset}: not plain ASCII")

    def no_repeats(pairs):
        names = [name for name, _ in pairs]
        if len(names) != len(set(names)):
            fail(where, f"a field named twice in {names}")
        return dict(pairs)
    try:
        return json.loads(data.decode("ascii"), object_pairs_hook=no_repeats)
    except ValueError as error:
        fail(where, f"not JSON: {error}")


# --- the text forms, rendered from a document -------------------------------------------

class Texts:
    """A document's texts as the ANSI bytes that the program holds, in a str of code points
    0-255 (latin-1), so that the rendering is compared byte for byte with the text form."""

    def __init__(self, code_page):
        self.code_page = code_page
        self.codec = {"932": "cp932", "1252": "cp1252"}.get(code_page, "cp" + code_page)

    def encode(self, text):
        out = bytearray()
        for character in text:
            try:
                out += character.encode(self.codec)
            except UnicodeEncodeError:
                # The five bytes that 1252 leaves undefined convert to U+0081 and the like.
                if ord(character) < 0x100 and self.codec == "cp1252":
                    out.append(ord(character))
                else:
                    raise Mismatch(f"{character!r} has no byte in {self.codec}")
        return out.decode("latin-1")

    def raw(self, record, name):
        """The text as the program holds it, control characters and all."""
        value = record[name]
        if value is None:
            return None
        if name + "_bytes" in record:
            return bytes.fromhex(record[name + "_bytes"]).decode("latin-1")
        return self.encode(value)

    def __call__(self, record, name):
        """The text as the text forms print it."""
        value = self.raw(record, name)
        return None if value is None else shown(value)


def shown(text):
    """A value as the text forms print it: each control character (C0, DEL) as <U+00XX>."""
    return "".join(f"<U+{ord(c):04X}>" if ord(c) < 0x20 or ord(c) == 0x7F else c
                   for c in text)


def render_list(document, t):
    lines = []
    for r in document["runtimes"]:
        lines.append(f"{'*' if r['current'] else ' '} {r['index']}\t{t(r, 'text')}\t"
                     f"{t(r, 'launcher')}\n")
    for h in document.get("homes", []):
        launchers = home_launchers(h, t)
        told = home_version_text(h, t) if launchers else (t(h, "home") or "(no home)")
        end = launchers[0] if launchers else "(no launcher)" if h["probed"] else \
            "(not looked at)"
        lines.append(f"  -\tnot selectable: {told}, {source_phrase(h['sources'][0], t)}\t"
                     f"{end}\n")
    return "".join(lines)


def view_text(view):
    return words("kViews", view)


def java_home_lines(java_home):
    lines = [f"      JavaHome {java_home if java_home != '' else '(empty)'}\n"]
    if "%" in java_home:
        lines.append("      (environment references such as %SystemDrive% are not expanded)\n")
    return lines


def tried_lines(note, t):
    lines = []
    names = {"windows_directory": "wjview.exe in the Windows directory",
             "system_directory": "wjview.exe in the system directory"}
    for trial in note["tried"]:
        result = trial["result"]
        if result in ("not_looked_at", "found"):
            continue
        # The file by its name until there is a path to tell; 127 is the longest path tested.
        detail = (names.get(trial["place"], trial["file"])
                  if result in ("no_directory", "path_too_long") else t(trial, "path"))
        other = result == "not_found" and trial["file"] == "wjview.exe"
        lines.append("      " + words("kTrials", result, detail, "127", other=other) + "\n")
    return lines


def outcome_lines(c, t):
    home = t(c, "javaHome")
    outcome = c["outcome"]

    def headline(*details, other=False):
        return [words("kOutcomes", outcome, *details, other=other) + "\n"]
    if outcome == "listed":
        lines = headline(c["listIndex"], t(c, "text"))
        if home is not None:
            lines += java_home_lines(home)
        return lines + [f"      launcher {t(c, 'launcher')}\n"] + tried_lines(c, t)
    if outcome == "not_added":
        return headline() + [f"      launcher {t(c, 'launcher')}\n"]
    if outcome in ("home_too_long", "home_dir_too_long", "home_lone_lead_byte", "no_subkeys"):
        return headline()
    if outcome == "key_absent":
        return headline(other=c["source"] == "microsoft")
    if outcome == "name_too_long":
        if c["subkey"] is None:
            return headline(other=True)
        return headline(len(t.raw(c, "subkey")))
    if outcome == "key_path_too_long":
        return headline(t(c, "parentKey"), len(t.raw(c, "subkey")))
    if outcome == "no_java_home":
        return headline() + [f"      key {t(c, 'key')}\n"]
    if outcome == "java_home_too_long":
        return headline(len(t.raw(c, "javaHome"))) + java_home_lines(home)
    if outcome in ("java_home_dir_too_long", "java_home_lone_lead_byte"):
        return headline() + java_home_lines(home)
    if outcome == "launcher_not_found":
        lines = headline(t(c, "directory"))
        if home is not None:
            lines += java_home_lines(home)
        return lines + tried_lines(c, t)
    if outcome == "no_version_resource":
        unloaded = any(trial["result"] == "no_version_functions" for trial in c["tried"])
        return headline(other=unloaded) + tried_lines(c, t)
    if outcome == "version_below_5":
        return headline(t(c, "launcher"), t(c, "version")) + tried_lines(c, t)
    raise Mismatch(f"no text for the outcome {outcome}")


def render_explain(document, t):
    settings = document["settings"]
    lines = [f"Settings, key {t(settings, 'key')}:\n"]
    home, starter = settings["home"], settings["starter"]
    lines.append("  home    longer than 259 characters, not used\n" if home["tooLong"]
                 else f"  home    {t(home, 'value')}\n")
    lines.append("  starter longer than 259 characters, matches no runtime\n"
                 if starter["tooLong"] else f"  starter {t(starter, 'value')}\n")
    lines.append("\n")
    order = ["bundled", "registered", "microsoft"]
    opened = 0
    for c in document["candidates"]:
        while opened <= order.index(c["source"]):
            lines.append(("\n" if opened > 0 else "") + words("kSources", order[opened]) + "\n")
            opened += 1
        prefix = "  "
        if c["subkeyIndex"] is not None:
            prefix += (f"{t(c, 'subkey')}: " if c["subkey"] is not None else
                       f"subkey {c['subkeyIndex']} (its name could not be read): ")
        body = outcome_lines(c, t)
        lines += [prefix + body[0]] + body[1:]
    while opened < len(order):
        lines.append(("\n" if opened > 0 else "") + words("kSources", order[opened]) + "\n")
        opened += 1
    count = len(document["runtimes"])
    current = document["current"]
    line = f"\n{count} runtime{'' if count == 1 else 's'} listed. "
    text = t(document["runtimes"][current], "text") if current is not None else ""
    line += words("kCurrentReasons", document["currentReason"], current, text) + "\n"
    lines.append(line)
    if document["pathEntries"]:
        lines.append("\nPATH entries not looked at:\n")
    for e in document["pathEntries"]:
        entry = t(e, "entry")
        lines.append(f"  entry {e['pathIndex']}{', ' + entry if entry is not None else ''}: "
                     f"{reason_text(dict(e, sources=[], home=e['entry']), t)}\n")
    lines.append("\nOn this machine but not offered:\n")
    for h in document["homes"]:
        lines += home_lines(h, t)
    for j in document["javapaths"]:
        lines += javapath_lines(j, t)
    if not (document["homes"] or document["javapaths"]):
        lines.append("  none\n")
    return "".join(lines)


def render_set(document, t):
    chosen = document["set"]
    return (f"Set {chosen['index']}: {t(chosen, 'text')}\n  starter {t(chosen, 'starter')}\n"
            f"  classes {t(chosen, 'classes')}\n")


RENDERERS = {"list": render_list, "list --all": render_list, "explain": render_explain,
             "set": render_set}


def home_launchers(h, t):
    return [t(h, name) for name in ("javaw", "java") if h[name] is not None]


def home_version_text(h, t):
    version = t(h, "version") if h["version"] is not None else "version unknown"
    return f"{version} {words('kArchitectures', h['architecture'])}"


# The registry sources in the order that decides a home's reason (the first kind named).
SOURCE_ORDER = ["list_key", "list_key_other_view", "javasoft_key", "vendor_key", "user_key",
                "environment", "path", "folder"]
REGISTRY_KINDS = set(SOURCE_ORDER[:5])
TYPE_TEXTS = {1: "REG_SZ", 2: "REG_EXPAND_SZ", 3: "REG_BINARY", 4: "REG_DWORD",
              7: "REG_MULTI_SZ", 11: "REG_QWORD"}


def source_phrase(s, t):
    where = t(s, "where")
    if s["kind"] in REGISTRY_KINDS:
        key = f"{s['hive']}\\{where} \"{t(s, 'value')}\"{view_text(s['view'])}"
        return words("kSourceKinds", s["kind"], t(s, "distribution"), key)
    if s["kind"] == "path":
        return words("kSourceKinds", "path", s["pathIndex"], where)
    return words("kSourceKinds", s["kind"], where)


def parent_key(where):
    return where[:where.rfind("\\")] if "\\" in where else where


def reason_text(h, t):
    """The reason of a home, or of a PATH entry (no sources: its reasons need none)."""
    deciding = min(h["sources"], key=lambda s: SOURCE_ORDER.index(s["kind"]), default=None)
    reason = h["reason"]
    detail = ""
    if reason == "too_long":
        detail = h["length"]
    elif reason == "not_in_code_page":
        detail = t.code_page
    elif reason == "no_launcher":
        detail = t(h, "directory")
    elif deciding is not None and reason == "not_text":
        detail = TYPE_TEXTS.get(deciding["valueType"], "another type")
    elif deciding is not None and reason == "other_view":
        detail = deciding["view"][:2]
    elif deciding is not None and reason == "javasoft_key":
        detail = parent_key(t(deciding, "where"))
    elif deciding is not None and reason in ("vendor_key", "per_user"):
        detail = t(deciding, "distribution")
    elif deciding is not None and reason in ("only_environment", "only_folder"):
        detail = t(deciding, "where")
    if reason not in WORDS["kReasons"]:
        raise Mismatch(f"no text for the reason {reason}")
    return words("kReasons", reason, detail)


def home_lines(h, t):
    lines = [f"  {t(h, 'home') or '(no home)'}: {reason_text(h, t)}\n"]
    launchers = home_launchers(h, t)
    if not h["probed"]:
        lines.append("      not looked at: no file was tested\n")
    elif launchers:
        version = words("kVersionOrigins", h["versionFrom"], t(h, "version"))
        lines.append(f"      {version}, {words('kArchitectures', h['architecture'])}\n")
        lines += [f"      launcher {launcher}\n" for launcher in launchers]
    lines += [f"      named by {source_phrase(s, t)}\n" for s in h["sources"]]
    return lines


def javapath_lines(j, t):
    copies = ("javaw.exe and java.exe" if j["javaw"] and j["java"] else
              "javaw.exe" if j["javaw"] else "java.exe")
    lines = [f"  {t(j, 'folder')}: on PATH (entry {j['pathIndex']}), copies of {copies} that "
             "run the runtime the JavaSoft key's \"CurrentVersion\" names; not a Java home\n"]
    copy = "javaw.exe" if j["javaw"] else "java.exe"
    outcome = j["outcome"]
    version = t(j, "copyVersion")

    def said(*details):
        return lines + ["      " + words("kJavapathOutcomes", outcome, *details) + "\n"]
    if outcome == "no_copy_version":
        return said(copy)
    if outcome == "unknown_machine":
        return said(copy, version)
    major = int(re.match(r"\d*", version).group(0) or "0")
    keys = ("SOFTWARE\\JavaSoft\\Java Runtime Environment" if major <= 8
            else "SOFTWARE\\JavaSoft\\JRE, then JDK,")
    view = "32-bit" if j["copyArchitecture"] == "x86" else "64-bit"
    lines.append(f"      {copy} is version {version}, "
                 f"{words('kArchitectures', j['copyArchitecture'])}: it follows {keys} in the "
                 f"{view} registry view\n")
    if outcome == "no_current_version":
        return said()
    if outcome == "current_version_not_text":
        return said(t(j, "key"), view_text(j["view"]))
    lines.append(f"      {t(j, 'key')}{view_text(j['view'])} \"CurrentVersion\" is "
                 f"{t(j, 'currentVersion')}\n")
    if outcome == "other_version":
        return said(f"1.{major}")
    if outcome == "runs_home":
        return said(t(j, "home"), words("kJavapathHomes", j["homeTold"]))
    return said()


def compare_with_text(where, name, document, text_path, code_page):
    with open(text_path, "rb") as f:
        text = f.read().decode("latin-1")
    t = Texts(code_page)
    if name == "error":
        first = text.split("\n", 1)[0]
        message = t(document["error"], "message")
        if first not in (message, "JreSelectCli: " + message):
            fail(where, f"error message {message!r} is not stderr's first line {first!r}")
        return
    rendered = RENDERERS[name](document, t)
    if rendered != text:
        got, wanted = rendered.splitlines(), text.splitlines()
        for i, (a, b) in enumerate(zip(got, wanted)):
            if a != b:
                fail(where, f"line {i + 1} differs:\n  from JSON: {a!r}\n  text form: {b!r}")
        fail(where, f"{len(got)} lines from JSON, {len(wanted)} in the text form")


def mutations(document, name):
    """(what, mutated document) for each fact of the homes, PATH entries and javapath folders
    that the text form of the command tells, changed to another value of its kind. list --all tells of a
    home its first launcher, version and architecture (or its home and whether it was looked
    at), and its first source; explain tells all."""
    def changed(path, value):
        copy = json.loads(json.dumps(document))
        record = copy
        for step in path[:-1]:
            record = record[step]
        name = path[-1]
        if isinstance(value, str) and name + "_bytes" in record:
            # The text forms print the bytes that the code page could not convert.
            name += "_bytes"
            value = record[name] + "78"
        record[name] = value
        return "/".join(str(step) for step in path[:-1] + [name]), copy

    def other_word(value, words):
        return sorted(w for w in words if w != value and w is not None)[0]

    def text(value):
        return "x" if value is None else value + "x"

    whole = name == "explain"
    for i, h in enumerate(document.get("homes", [])):
        base = ["homes", i]
        launchers = [n for n in ("javaw", "java") if h[n] is not None]
        if whole:
            yield changed(base + ["reason"], other_word(h["reason"], INVENTORY_REASONS))
        if whole or not launchers:
            yield changed(base + ["probed"], not h["probed"])
            yield changed(base + ["home"], text(h["home"]))
        if h["probed"]:
            for n in (("javaw", "java") if whole else launchers[:1]):
                yield changed(base + [n], text(h[n]))
        if launchers:
            yield changed(base + ["architecture"], other_word(h["architecture"], ARCHITECTURES))
            if h["versionFrom"] is not None:
                yield changed(base + ["version"], text(h["version"]))
                yield changed(base + ["versionFrom"],
                              other_word(h["versionFrom"], {"release", "launcher"})
                              if whole else None)
        if whole and h["reason"] == "too_long":
            yield changed(base + ["length"], h["length"] + 1)
        if whole and h["reason"] == "no_launcher":
            yield changed(base + ["directory"], text(h["directory"]))
        for k, source in enumerate(h["sources"] if whole else h["sources"][:1]):
            at = base + ["sources", k]
            yield changed(at + ["kind"], other_word(source["kind"], SOURCE_ORDER))
            yield changed(at + ["hive"], other_word(source["hive"], {"HKLM", "HKCU"}))
            yield changed(at + ["view"], other_word(source["view"], VIEWS))
            yield changed(at + ["where"], text(source["where"]))
            if source["kind"] in REGISTRY_KINDS:
                yield changed(at + ["value"], text(source["value"]))
                yield changed(at + ["distribution"], text(source["distribution"]))
            if source["kind"] == "path":
                yield changed(at + ["pathIndex"], source["pathIndex"] + 1)
    for i, e in enumerate(document.get("pathEntries", [])):
        base = ["pathEntries", i]
        yield changed(base + ["pathIndex"], e["pathIndex"] + 1)
        yield changed(base + ["entry"], text(e["entry"]))
        yield changed(base + ["reason"], other_word(e["reason"], PATH_ENTRY_REASONS))
        if e["reason"] == "too_long":
            yield changed(base + ["length"], e["length"] + 1)
    for i, j in enumerate(document.get("javapaths", [])):
        base = ["javapaths", i]
        yield changed(base + ["folder"], text(j["folder"]))
        yield changed(base + ["pathIndex"], j["pathIndex"] + 1)
        if j["java"]:
            yield changed(base + ["javaw"], not j["javaw"])
        yield changed(base + ["copyVersion"], text(j["copyVersion"]))
        if j["copyVersion"] is not None:
            yield changed(base + ["copyArchitecture"],
                          other_word(j["copyArchitecture"], ARCHITECTURES))
        yield changed(base + ["outcome"], other_word(j["outcome"], JAVAPATH_OUTCOMES))
        yield changed(base + ["key"], text(j["key"]))
        if j["key"] is not None:
            yield changed(base + ["view"], other_word(j["view"], VIEWS))
            yield changed(base + ["currentVersion"], text(j["currentVersion"]))
            yield changed(base + ["home"], text(j["home"]))
            if j["home"] is not None:
                yield changed(base + ["homeTold"],
                              other_word(j["homeTold"], {"offered", "above", "list_key",
                                                         "nowhere"}))


def refuses_every_mutation(where, name, document, text_path, code_page):
    """The check itself: each fact of the homes and javapaths changed alone must fail it."""
    missed = []
    count = 0
    for what, mutated in mutations(document, name):
        count += 1
        try:
            check_document(where, mutated)
            compare_with_text(where, name, mutated, text_path, code_page)
            missed.append(what)
        except Mismatch:
            pass
    if missed:
        fail(where, f"the check takes the document with any of {missed} changed")
    return count


def check_documents(folder):
    checked = compared = mutated = 0
    problems = []
    for root, _, files in os.walk(folder):
        for file in sorted(files):
            if not file.endswith(".json"):
                continue
            path = os.path.join(root, file)
            where = os.path.relpath(path, folder)
            try:
                with open(path, "rb") as f:
                    document = load(where, f.read())
                checked += 1
                if not isinstance(document, dict) or "schema" not in document:
                    continue  # the writer's own tests: parsing was the check
                name = check_document(where, document)
                base = path[:-len(".json")]
                for sibling in files:
                    match = re.match(re.escape(os.path.basename(base)) + r"\.cp(\d+)\.(txt|err)$",
                                     sibling)
                    if match:
                        compare_with_text(where, name, document, os.path.join(root, sibling),
                                          match.group(1))
                        compared += 1
                        mutated += refuses_every_mutation(where, name, document,
                                                          os.path.join(root, sibling),
                                                          match.group(1))
            except Mismatch as problem:
                problems.append(str(problem))
    for problem in problems:
        print("FAIL", problem)
    print(f"check_json: {checked} documents parsed, {compared} compared with their text "
          f"forms, {len(problems)} failed ({folder}); {mutated} documents with one fact of a "
          "home or javapath folder changed, each refused")
    if checked == 0:
        # A run of cases that keep none (ctest -R); a case that cannot write its document
        # fails itself.
        print("check_json: no document kept by the cases that ran")
    return 1 if problems else 0


def example_blocks(lines):
    """(line number, command, block) for each "    C:\\>JreSelectCli COMMAND" of docs/cli.md:
    the indented lines after it, up to its "(exit code N)" or the next command."""
    i = 0
    while i < len(lines):
        match = re.match(r"^    C:\\>JreSelectCli (.*)$", lines[i])
        i += 1
        if not match:
            continue
        start = i
        block = []
        # An empty line inside a code block goes on with it.
        while i < len(lines) and (lines[i].startswith("    ") or lines[i] == "") and \
                not lines[i].startswith("    (exit code") and \
                not lines[i].startswith("    C:\\>"):
            block.append(lines[i][4:])
            i += 1
        while block and block[-1] == "":
            block.pop()
        yield start, match.group(1), block


def check_examples(cli_md):
    """Every --json example of docs/cli.md against the schema, one of each kind of document;
    the explain --json example also rendered as text, which must be the docs' first explain
    example (the same machine)."""
    with open(cli_md, encoding="utf-8") as f:
        lines = f.read().split("\n")
    problems = []
    kinds = set()
    explain_text = None
    explain_json = None
    for start, command, block in example_blocks(lines):
        where = f"{os.path.basename(cli_md)}:{start}"
        words = command.split()
        if "--json" not in words:
            if words == ["explain"] and explain_text is None:
                explain_text = "".join(line + "\n" for line in block)
            continue
        try:
            document = load(where, "\n".join(block).encode("utf-8"))
            name = check_document(where, document)
            kinds.add(name)
            if name == "explain" and explain_json is None:
                explain_json = (where, document)
        except Mismatch as problem:
            problems.append(str(problem))
    wanted = set(DOCUMENTS)
    if kinds != wanted:
        problems.append(f"examples of {sorted(kinds)}; wanted one of each of {sorted(wanted)}")
    if explain_json is None or explain_text is None:
        problems.append("no explain example, or no explain --json example")
    else:
        try:
            rendered = render_explain(explain_json[1], Texts("1252"))
            if rendered != explain_text:
                got, text = rendered.splitlines(), explain_text.splitlines()
                first = next((i for i, (a, b) in enumerate(zip(got, text)) if a != b),
                             min(len(got), len(text)))
                problems.append(f"{explain_json[0]}: the explain example's text differs at its "
                                f"line {first + 1}")
        except Mismatch as problem:
            problems.append(str(problem))
    for problem in problems:
        print("FAIL", problem)
    print(f"check_json: the examples of {sorted(kinds)} checked, the explain example rendered "
          f"from its JSON, {len(problems)} failed")
    return 1 if problems else 0


def main(argv):
    if len(argv) != 3 or argv[1] not in ("documents", "examples"):
        print(__doc__)
        return 2
    if argv[1] == "documents":
        return check_documents(argv[2])
    return check_examples(argv[2])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
