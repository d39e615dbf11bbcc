#!/usr/bin/env python3
"""Finds game code that writes a global owned by another folder.

Every global lives in a `*_state.h` header; the folder holding that header owns it and is the
only game code that may write it. This prints each write from elsewhere as

    FILE:LINE: `NAME` (owned by FOLDER/) written here

and exits 1 when it found any. Writes are assignments (=, +=, ... <<=), increments and
decrements, passing the global to a parameter taken by non-const reference or pointer (the
game's own functions and the C library's copying ones), and binding it in a range-for by
non-const reference. Tests, tools, benchmarks and fuzzers build their cases by setting state
directly and are not checked.

usage: owner_writes.py [ROOT]   (ROOT defaults to the repository this script sits in); exits 2
when ROOT holds no state header.
"""

import os
import re
import sys


# Folders holding game code; everything else (tests/, tools/, bench/, fuzz/, testing/) may set
# state.
def game_folders(root):
    """The layers of layers.txt, with the platform and the programs."""
    try:
        with open(os.path.join(root, "layers.txt"), encoding="utf-8") as listing:
            layers = [line.strip() for line in listing if re.fullmatch(r"[a-z_]+\s*", line)]
    except FileNotFoundError:
        layers = []
    return tuple(layers) + ("platform", "app")


SOURCE_SUFFIXES = (".cpp", ".h")

# C library and standard algorithms that write through an argument: name -> argument positions.
WRITING_LIBRARY_CALLS = {
    "memcpy": (0,), "memmove": (0,), "memset": (0,), "strcpy": (0,), "strncpy": (0,),
    "strcat": (0,), "snprintf": (0,), "sprintf": (0,), "vsnprintf": (0,), "fill": (0,),
    "fill_n": (0,), "iota": (0,), "copy": (2,), "copy_n": (2,), "swap": (0, 1),
}

IDENT = r"[A-Za-z_]\w*"
# A global's declaration: its type, its name, its array bounds if any. Constants are left out.
EXTERN_RE = re.compile(r"^\s*extern\s+(?!const\b)([^;()]*?)\b(" + IDENT +
                       r")\s*((?:\[[^\]]*\]\s*)*);", re.M)
ASSIGN_RE = re.compile(r"(?:<<|>>|[-+*/%&|^])?=(?!=)")
# A declaration or definition at the start of a line: a return type, the name, the parameters.
FUNCTION_DECL_RE = re.compile(r"^[ \t]*(?:(?:static|inline|constexpr|extern)\s+)*"
                              r"(?!return\b|else\b|case\b|new\b|delete\b|throw\b)"
                              r"[\w:<>]+(?:\s+|\s*[*&]+\s*)(" + IDENT + r")\s*\(([^()]*)\)"
                              r"\s*(?:const\s*)?(?:noexcept\s*)?[;{]", re.M)
# One declared parameter: a type and usually a name, perhaps a default.
PARAMETER_RE = re.compile(r"\s*(?:const\s+)?[\w:<>]+(?:\s+const)?(?:\s*[*&]+\s*|\s+)(?:const\s+)?"
                          r"(?:" + IDENT + r")?\s*(?:\[[^\]]*\])?\s*(?:=.*)?", re.S)
CALL_RE = re.compile(r"\b(" + IDENT + r")\s*\(")
# A range-for binding each element by reference: `for (int32_t& h : OpponentHeading)`.
RANGE_FOR_RE = re.compile(r"\bfor\s*\(([^;:()]*)&\s*" + IDENT + r"\s*:\s*(?:::)?(" + IDENT +
                          r")\s*\)")
CONTROL_WORDS = {"if", "for", "while", "switch", "return", "sizeof", "catch", "decltype",
                 "alignof", "static_assert"}


def blank_comments_and_strings(text):
    """Replaces comments and string and character literals by spaces, keeping every newline."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(" " * (end - i))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + " " * (j - i - 2) + c if j - i >= 2 else " " * (j - i))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def top_folder(root, path):
    return os.path.relpath(path, root).split(os.sep)[0]


def game_files(root):
    for folder in game_folders(root):
        for dirpath, dirnames, filenames in os.walk(os.path.join(root, folder)):
            dirnames.sort()
            for name in sorted(filenames):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.join(dirpath, name)


def read_blanked(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return blank_comments_and_strings(f.read())


def owned_globals(root, files):
    """Maps each non-const global declared in a state header to the folder that owns it, and
    lists the globals that are single pointers (what they point at is not theirs to guard)."""
    owners, pointers = {}, set()
    for path in files:
        if path.endswith("_state.h"):
            for match in EXTERN_RE.finditer(read_blanked(path)):
                owners[match.group(2)] = top_folder(root, path)
                if "*" in match.group(1) and not match.group(3):
                    pointers.add(match.group(2))
    return owners, pointers


def is_mutable_parameter(parameter):
    """True for a parameter taken by non-const reference or pointer: `int32_t& state`,
    `char* line`, but not `const char* name`."""
    parameter = parameter.split("=")[0]
    marker = re.search(r"&(?!&)|\*", parameter)
    return bool(marker) and "const" not in parameter[:marker.start()].split()


def split_arguments(text):
    """Splits a call's argument text at its top-level commas."""
    parts, depth, start = [], 0, 0
    for i, c in enumerate(text):
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
        elif c == "," and depth == 0:
            parts.append(text[start:i])
            start = i + 1
    parts.append(text[start:])
    return parts


def mutable_parameter_positions(texts):
    """Maps each function the game declares to the positions of its writable parameters."""
    positions = dict(WRITING_LIBRARY_CALLS)
    for text in texts:
        for match in FUNCTION_DECL_RE.finditer(text):
            name, parameters = match.group(1), match.group(2)
            declared = split_arguments(parameters)
            if name in CONTROL_WORDS or not all(PARAMETER_RE.fullmatch(p) for p in declared):
                continue
            writable = tuple(i for i, p in enumerate(declared)
                             if is_mutable_parameter(p))
            if writable:
                positions[name] = tuple(sorted(set(positions.get(name, ())) | set(writable)))
    return positions


def closing_bracket(text, start):
    """Index just past the bracket that closes the one opening at text[start]."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    stack = []
    for i in range(start, len(text)):
        if text[i] in pairs:
            stack.append(pairs[text[i]])
        elif stack and text[i] == stack[-1]:
            stack.pop()
            if not stack:
                return i + 1
    return len(text)


def global_named_by(argument, owners, pointers):
    """The global an argument hands over writably: `X`, `X[i]`, `&X`, `&X[i]`, `std::begin(X)`;
    a pointer global only as `&X`, since otherwise the callee gets a copy of it."""
    argument = argument.strip()
    match = re.fullmatch(r"(?:std::)?(?:begin|data)\s*\(\s*(?:::)?(" + IDENT + r")\s*\)", argument)
    if not match:
        match = re.fullmatch(r"(&?)\s*(?:::)?(" + IDENT + r")\s*(?:\[.*\])?(?:\s*\+.*)?", argument,
                             re.S)
        if match and match.group(2) in pointers and not match.group(1):
            return None
        name = match.group(2) if match else None
    else:
        name = match.group(1)
    return name if name in owners else None


def plain_writes(text, owners, pointers):
    """Offsets and names of assignments, increments and decrements of owned globals."""
    names = "|".join(sorted(map(re.escape, owners), key=len, reverse=True))
    if not names:
        return
    for match in re.finditer(r"(?<![\w.>:])(?:::)?\b(" + names + r")\b", text):
        before = text[:match.start()].rstrip()
        if before.endswith(("++", "--")) and not before.endswith(("+++", "---")):
            yield match.start(), match.group(1)
            continue
        end = match.end()
        while True:
            rest = text[end:].lstrip()
            if not rest.startswith("["):
                break
            end = closing_bracket(text, len(text) - len(rest))
        if match.group(1) in pointers and (end != match.end() or before.endswith("*")):
            continue  # FrameBits[i] = c writes the buffer it points at, not FrameBits
        rest = text[end:].lstrip()
        if rest.startswith(("++", "--")) or ASSIGN_RE.match(rest):
            yield match.start(), match.group(1)


def call_writes(text, owners, pointers, positions):
    """Offsets and names of owned globals passed where the callee may write them."""
    for match in CALL_RE.finditer(text):
        writable = positions.get(match.group(1))
        if not writable:
            continue
        open_at = match.end() - 1
        arguments = split_arguments(text[open_at + 1:closing_bracket(text, open_at) - 1])
        for i in writable:
            if i < len(arguments):
                name = global_named_by(arguments[i], owners, pointers)
                if name:
                    yield open_at + 1 + sum(len(a) + 1 for a in arguments[:i]), name


def range_for_writes(text, owners):
    for match in RANGE_FOR_RE.finditer(text):
        if match.group(2) in owners and "const" not in match.group(1).split():
            yield match.start(2), match.group(2)


def foreign_writes(root):
    """The writes found, or None when ROOT holds no state header to check against."""
    files = list(game_files(root))
    owners, pointers = owned_globals(root, files)
    if not owners:
        return None
    texts = {path: read_blanked(path) for path in files}
    positions = mutable_parameter_positions(texts.values())
    found = []
    for path in files:
        text, folder = texts[path], top_folder(root, path)
        foreign = {name: owner for name, owner in owners.items() if owner != folder}
        hits = set(plain_writes(text, foreign, pointers))
        hits |= set(call_writes(text, foreign, pointers, positions))
        hits |= set(range_for_writes(text, foreign))
        for offset, name in sorted(hits):
            line = text.count("\n", 0, offset) + 1
            found.append((os.path.relpath(path, root), line, name, owners[name]))
    return sorted(set(found))


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.dirname(os.path.dirname(os.path.dirname(
        os.path.abspath(__file__))))
    found = foreign_writes(root)
    if found is None:
        # A wrong folder must not pass as a clean tree.
        print(f"owner_writes: no globals in any *_state.h under {root}", file=sys.stderr)
        return 2
    for path, line, name, owner in found:
        print(f"{path}:{line}: `{name}` (owned by {owner}/) written here")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
