#!/usr/bin/env python3
"""Holds docs/cli.md's examples against a fresh capture (tests/docs/capture_examples.sh).

    check_examples.py compare CLI_MD CAPTURE   every captured block must be the docs' block of
                                               the same section, command and place; a docs
                                               block without a capture fails unless its whole
                                               section was not captured here
    check_examples.py write CLI_MD CAPTURE     puts the captured blocks into the docs instead

A docs example is a line "    C:\\>JreSelectCli ..." and the indented lines after it, up to
its "(exit code N)"; an empty line inside one goes on with it. Its section is the "### "
heading above it. Blocks of the same section and command are told apart by their order.
"""

import re
import sys

COMMAND = re.compile(r"^    (C:\\>JreSelectCli .*)$")
EXIT = re.compile(r"^\(exit code \d+\)$")


def docs_blocks(lines):
    """(section, command, occurrence, first, end): the block's lines are lines[first:end],
    each indented by four spaces or empty."""
    section = None
    seen = {}
    i = 0
    while i < len(lines):
        if lines[i].startswith("### ") or lines[i].startswith("## "):
            section = lines[i].lstrip("#").strip()
        match = COMMAND.match(lines[i])
        i += 1
        if not match:
            continue
        first = i
        while i < len(lines) and (lines[i].startswith("    ") or lines[i] == "") and \
                not COMMAND.match(lines[i]):
            done = EXIT.match(lines[i][4:])
            i += 1
            if done:
                break
        end = i
        while end > first and lines[end - 1] == "":
            end -= 1
        key = (section, match.group(1))
        seen[key] = seen.get(key, 0) + 1
        yield section, match.group(1), seen[key], first, end
        i = end


def captured_blocks(text):
    """{(section, command, occurrence): lines} of a capture."""
    blocks = {}
    seen = {}
    current = None
    for line in text.split("\n"):
        match = re.match(r"^=== (.*?) \| (C:\\>JreSelectCli .*)$", line)
        if match:
            key = (match.group(1), match.group(2))
            seen[key] = seen.get(key, 0) + 1
            current = key + (seen[key],)
            blocks[current] = []
        elif current is not None:
            blocks[current].append(line)
    for lines in blocks.values():
        while lines and lines[-1] == "":
            lines.pop()
    return blocks


def main(argv):
    if len(argv) != 4 or argv[1] not in ("compare", "write"):
        print(__doc__)
        return 2
    with open(argv[2], encoding="utf-8") as f:
        lines = f.read().split("\n")
    # The commands as typed are UTF-8; the programs' output here is ASCII.
    with open(argv[3], encoding="utf-8", errors="surrogateescape") as f:
        captured = captured_blocks(f.read())
    sections = {key[0] for key in captured}
    problems = []
    used = set()
    compared = skipped = 0
    # From the last block up, so that a write keeps the places of those above it.
    for section, command, occurrence, first, end in reversed(list(docs_blocks(lines))):
        key = (section, command, occurrence)
        where = f"{argv[2]}:{first} ({section}: {command}, #{occurrence})"
        if key not in captured:
            if section in sections:
                problems.append(f"{where}: no such command in the capture")
            else:
                skipped += 1
            continue
        used.add(key)
        wanted = captured[key]
        if argv[1] == "write":
            lines[first:end] = ["    " + line if line else "" for line in wanted]
            continue
        have = [line[4:] for line in lines[first:end]]
        compared += 1
        if have != wanted:
            at = next((i for i, (a, b) in enumerate(zip(have, wanted)) if a != b),
                      min(len(have), len(wanted)))
            problems.append(f"{where}: line {at + 1} differs from a fresh capture\n"
                            f"    docs:    {have[at] if at < len(have) else '(none)'!r}\n"
                            f"    capture: {wanted[at] if at < len(wanted) else '(none)'!r}")
    for key in sorted(set(captured) - used):
        problems.append(f"captured {key[0]}: {key[1]} (#{key[2]}) has no example in the docs")
    if argv[1] == "write":
        with open(argv[2], "w", encoding="utf-8", errors="surrogateescape") as f:
            f.write("\n".join(lines))
        print(f"check_examples: {len(used)} blocks written into {argv[2]}")
        return 1 if problems else 0
    for problem in problems:
        print("FAIL", problem)
    print(f"check_examples: {compared} examples compared with a fresh capture, {skipped} of "
          f"sections not captured in this configuration, {len(problems)} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
