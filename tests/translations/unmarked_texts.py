#!/usr/bin/env python3
"""Finds the texts the program shows that are not marked for translation.

    unmarked_texts.py <checkout> <kept texts file> [<folder>...]

Reads the C++ sources of the program's libraries and windows (of the folders named, all
of them when none is) and prints each string
literal that reads as words for a person (a caption, a label, a message, a status text)
and is neither marked (_(), wxTRANSLATE(), wxPLURAL(), Translated(), Translatable()) nor one
of the texts kept in English; exits 1 when there is any. Literals joined by nothing but
white space are one text. Texts of code (markup, styles, addresses, key names) do not read
as words and are left alone.
"""
import re
import sys
from pathlib import Path

FOLDERS = ["base", "desktop", "engine", "analysis", "branding", "inspection", "saving",
           "image_list", "source_changes", "main_window", "requests"]
MARKERS = {"_", "wxTRANSLATE", "wxPLURAL", "Translated", "Translatable"}

LITERAL = re.compile(r'(?:u8|u|U|L)?"((?:[^"\\\n]|\\.)*)"')
WORDS = re.compile(r"[A-Za-z][a-z]+[,:;.!?]? +[A-Za-z(][a-z]*")
CAPITALISED = re.compile(r"^&?[A-Z][a-z&]{2,}[\u2026.:!?]*$")
CODE = re.compile(r"[<>{}=\\#@$|]|://")
TAG = re.compile(r"<[a-zA-Z/!][^<>]*>")
ESCAPE = re.compile(r"\\(?:[\\\"'nrt]|x[0-9A-Fa-f]+|u[0-9A-Fa-f]{4}|[0-7]{1,3})")


def without_comments(code):
    """The code with its comments, raw literals and character literals blanked out (lines
    kept), its string literals untouched."""
    out = []
    i = 0
    while i < len(code):
        if code.startswith("//", i):
            end = code.find("\n", i)
            end = len(code) if end < 0 else end
            out.append(" " * (end - i))
            i = end
        elif code.startswith("/*", i):
            end = code.find("*/", i) + 2
            out.append(re.sub(r"[^\n]", " ", code[i:end]))
            i = end
        elif code.startswith('R"', i):
            delimiter = code[i + 2:code.find("(", i)]
            end = code.find(")" + delimiter + '"', i) + len(delimiter) + 2
            out.append(re.sub(r"[^\n]", " ", code[i:end]))  # scripts, not texts
            i = end
        elif code[i] == "'":
            match = re.compile(r"'(?:[^'\\\n]|\\.)*'").match(code, i)
            end = match.end() if match else i + 1
            out.append(" " * (end - i))  # a character, not a text
            i = end
        elif code[i] == '"':
            match = LITERAL.match(code, i)
            end = match.end() if match else i + 1
            out.append(code[i:end])
            i = end
        else:
            out.append(code[i])
            i += 1
    return "".join(out)


def texts(code):
    """(line, text, marked) for each run of adjacent literals of the code."""
    code = without_comments(code)
    if "#include" in code:
        code = re.sub(r"^[ \t]*#[ \t]*include.*$", "", code, flags=re.M)
    found = []
    position = 0
    while True:
        match = LITERAL.search(code, position)
        if not match:
            return found
        parts = [match.group(1)]
        end = match.end()
        while True:
            following = LITERAL.match(code, end + len(code[end:]) - len(code[end:].lstrip()))
            if not following:
                break
            parts.append(following.group(1))
            end = following.end()
        before = re.search(r"([A-Za-z_][A-Za-z_0-9]*)\s*\(\s*$", code[:match.start()])
        marked = before is not None and before.group(1) in MARKERS
        found.append((code.count("\n", 0, match.start()) + 1, "".join(parts), marked))
        position = end


def reads_as_words(text):
    shown = ESCAPE.sub("", text.replace("&&", "&"))
    shown = TAG.sub(" ", shown)  # the words of a page the program makes are texts too
    if CODE.search(shown) or not shown.strip():
        return False
    return bool(WORDS.search(shown) or CAPITALISED.match(shown.strip()))


def kept_texts(path):
    kept = set()
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith("#"):
            kept.add(line.strip())
    return kept


def unmarked(checkout, kept, folders=FOLDERS):
    found = []
    for folder in folders:
        for source in sorted((checkout / folder).rglob("*")):
            if source.suffix not in (".cpp", ".h"):
                continue
            relative = source.relative_to(checkout).as_posix()
            for line, text, marked in texts(source.read_text(encoding="utf-8")):
                if marked or not reads_as_words(text):
                    continue
                if text.replace("&", "").strip() in kept or f"{relative}: {text}".strip() in kept:
                    continue
                found.append(f"{relative}:{line}: \"{text}\" is not marked for translation")
    return found


def main():
    found = unmarked(Path(sys.argv[1]), kept_texts(sys.argv[2]), sys.argv[3:] or FOLDERS)
    for each in found:
        print(each)
    print(f"{len(found)} unmarked texts")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
