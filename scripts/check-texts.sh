#!/usr/bin/env bash
# Fails when a source file under src/ holds a string literal with Chinese characters (or CJK
# punctuation and full-width forms) that is not an argument of tr(), translate(), QT_TR_NOOP()
# or QT_TRANSLATE_NOOP(): such a text would never reach a translation. A literal counts as
# wrapped when the innermost parenthesis around it is one of those calls, so a call over
# several lines, or with its context first, is seen.
#
# What it cannot see: texts without such characters (an English word, "MB"); character
# literals (u'：' between two texts); text built from \u escapes or read from elsewhere;
# whether a variable handed to tr() was marked with a NOOP; raw string literals. A line that
# ends in the comment "// not a text: <why>" is passed over, for characters that are no text
# for the user (a sample of glyphs to measure).
#
# It also runs lupdate over src/ into a copy of the English translation and fails when that
# would change it: a text added or changed without its translation, or one left over.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
git ls-files -- 'src/*.cpp' 'src/*.h' | python3 -c '
import re, sys

CJK = re.compile("[\u3000-\u303f\u3400-\u4dbf\u4e00-\u9fff\uff00-\uffef\u201c\u201d]")
WRAPPERS = {"tr", "translate", "QT_TR_NOOP", "QT_TRANSLATE_NOOP"}
IDENT = re.compile(r"[A-Za-z_][A-Za-z_0-9]*$")

def unwrapped(text):
    """Yields (line, literal) for each CJK literal outside the wrappers."""
    calls = []  # the identifier before each open parenthesis
    i, line = 0, 1
    while i < len(text):
        c = text[i]
        if c == "\n":
            line += 1
        elif text.startswith("//", i):
            end = text.find("\n", i)
            i = len(text) if end < 0 else end
            continue
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = len(text) if end < 0 else end + 2
            line += text.count("\n", i, end)
            i = end
            continue
        elif c == "(":
            name = IDENT.search(text[max(0, i - 64):i].rstrip())
            calls.append(name.group(0) if name else "")
        elif c == ")":
            if calls:
                calls.pop()
        elif c in "\"\x27":
            j = i + 1
            while j < len(text) and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            literal = text[i:j + 1]
            lineEnd = text.find("\n", j)
            whole = text[text.rfind("\n", 0, i) + 1:len(text) if lineEnd < 0 else lineEnd]
            if (c == "\"" and CJK.search(literal) and not (calls and calls[-1] in WRAPPERS)
                    and not re.search(r"// not a text: \S", whole)):
                yield line, literal
            i = j + 1
            continue
        i += 1

failed = False
for path in sys.stdin.read().split():
    with open(path, encoding="utf-8") as source:
        for line, literal in unwrapped(source.read()):
            print(f"{path}:{line}: a text outside tr(): {literal}")
            failed = True
sys.exit(1 if failed else 0)
' || status=$?

lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
translation=resources/translations/vornak_en.ts
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$translation" "$scratch/vornak_en.ts"
# The same options as the build's update_translations target.
"$lupdate" -silent -recursive src -no-obsolete -locations none -source-language zh_CN \
    -ts "$scratch/vornak_en.ts"
echo "lupdate found $(grep -c '<message' "$scratch/vornak_en.ts") texts in src/"
if ! diff -u "$translation" "$scratch/vornak_en.ts"; then
    echo "$translation is out of date: cmake --build build --target update_translations," \
        "then translate what it marks unfinished" >&2
    status=1
elif grep -q 'type="unfinished"' "$translation"; then
    echo "$translation has texts without a translation" >&2
    status=1
fi
exit "$status"
