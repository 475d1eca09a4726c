#!/usr/bin/env python3
"""Mutation testing for Quivermark: plants one small fault at a time and asks the tests.

Each mutant changes one token or one statement of the code (a relational operator shifted to
its neighbour, && and || swapped, a ! dropped, + and - swapped, an integer constant moved by
one, a call or update statement deleted, a boolean return negated, true and false swapped),
rebuilds incrementally and runs ctest. A mutant the tests fail on is killed; one they pass
is a survivor: either an assertion is missing, or the change means nothing (an equivalent
mutant, listed with its reason in tools/mutants-skip.txt). A mutant that does not compile is
not applicable and is left out of the score.

    python3 tools/mutants.py --since main          # the lines changed since main
    python3 tools/mutants.py --count 300 --seed 1  # a reproducible sample of the whole core
    python3 tools/mutants.py --retry run.log REF   # an earlier run's survivors, again

The file is always restored, also on Ctrl-C. See docs/mutants.md.
"""

import argparse
import os
import random
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_PATHS = ["match", "game", "computer", "settings", "stats", "sim", "ui"]
SKIP_FILE = ROOT / "tools" / "mutants-skip.txt"
TEST_TARGETS = ["core_tests", "sim_tests", "quivermark-sim", "gui_tests", "quivermark"]


@dataclass
class Site:
    path: Path
    line: int  # 1-based
    start: int  # offset in the file's text
    end: int
    replacement: str
    kind: str

    def describe(self, text):
        # A site may span lines (a guard with its body): said on one line, as a log line is.
        def one_line(part):
            return re.sub(r"\s*\n\s*", " ", part.strip())
        return f"{self.kind}: '{one_line(text[self.start:self.end])}' -> '{one_line(self.replacement)}'"


# --- tokens -------------------------------------------------------------------------------

TOKEN = re.compile(
    r"""(?P<space>\s+)
      | (?P<comment>//[^\n]*|/\*.*?\*/)
      | (?P<raw>R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)")
      | (?P<string>"(?:\\.|[^"\\\n])*")
      | (?P<char>'(?:\\.|[^'\\\n])+')
      | (?P<number>\b(?:0[xX][0-9a-fA-F']+|\d[\d']*(?:\.\d*)?(?:[eE][+-]?\d+)?)[uUlLfF]*\b)
      | (?P<word>[A-Za-z_]\w*)
      | (?P<op>->\*?|<<=|>>=|<=>|\+\+|--|&&|\|\||==|!=|<=|>=|<<|>>|\+=|-=|\*=|/=|%=|&=|\|=|\^=|::|[-+*/%<>=!&|^~?:;,.(){}\[\]#])
      | (?P<other>.)
    """,
    re.VERBOSE | re.DOTALL,
)


def tokens(text):
    """(kind, value, start, end) for every token, preprocessor lines marked as 'pre'."""
    out = []
    at_line_start = True
    in_directive = False
    for match in TOKEN.finditer(text):
        kind = match.lastgroup
        value = match.group(0)
        if kind == "space":
            if "\n" in value:
                # A directive ends at a line break not escaped by a backslash.
                if in_directive and text[match.start() - 1] != "\\":
                    in_directive = False
                at_line_start = True
            continue
        if at_line_start and value == "#":
            in_directive = True
        at_line_start = False
        if kind == "comment":
            continue
        out.append(("pre" if in_directive else kind, value, match.start(), match.end()))
    return out


def spaced(text, start, end):
    """An operator written with blanks on both sides: binary, never a template bracket."""
    return start > 0 and end < len(text) and text[start - 1] in " \t" and text[end] in " \t\n"


RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
BOOL_FUNCTION = re.compile(
    r"^\s*(?:\[\[nodiscard\]\]\s*)?(?:static\s+|inline\s+|constexpr\s+|virtual\s+)*bool\s+[\w:~]+\s*\(")
STATEMENT = re.compile(
    r"^(?P<indent>[ \t]+)(?P<body>(?:\+\+|--)?[A-Za-z_][\w.\->:\[\]]*(?:\(.*\)|\s*(?:[-+*/%|&^]?=)\s*.+|\+\+|--));[ \t]*$")
DECLARATION_START = re.compile(
    r"^(?:const|auto|int|bool|double|float|char|unsigned|long|short|std::|static|using|return|"
    r"struct|class|enum|case|default|throw|break|continue|goto|delete|new)\b")


def sites_in(path, text, lines_wanted=None):
    found = []
    line_starts = [0]
    for i, ch in enumerate(text):
        if ch == "\n":
            line_starts.append(i + 1)

    def line_of(offset):
        lo, hi = 0, len(line_starts)
        while lo + 1 < hi:
            mid = (lo + hi) // 2
            if line_starts[mid] <= offset:
                lo = mid
            else:
                hi = mid
        return lo + 1

    def add(start, end, replacement, kind):
        line = line_of(start)
        if lines_wanted is None or line in lines_wanted:
            found.append(Site(path, line, start, end, replacement, kind))

    toks = tokens(text)
    for index, (kind, value, start, end) in enumerate(toks):
        if kind != "op" and kind not in ("word", "number"):
            continue
        if kind == "op":
            if value in RELATIONAL and spaced(text, start, end):
                add(start, end, RELATIONAL[value], "relational")
            elif value in ("&&", "||") and spaced(text, start, end):
                add(start, end, "||" if value == "&&" else "&&", "logical")
            elif value in ("+", "-") and spaced(text, start, end):
                add(start, end, "-" if value == "+" else "+", "arithmetic")
            elif value == "!" and end < len(text) and text[end] != "=":
                add(start, end, "", "negation dropped")
        elif kind == "word" and value in ("true", "false"):
            add(start, end, "false" if value == "true" else "true", "boolean")
        elif kind == "number" and re.fullmatch(r"\d+[uUlL]*", value):
            digits = re.match(r"\d+", value).group(0)
            suffix = value[len(digits):]
            number = int(digits)
            previous = toks[index - 1][1] if index > 0 else ""
            if previous in ("[",):  # array sizes: a changed size rarely compiles to anything
                continue
            add(start, end, f"{number + 1}{suffix}", "constant +1")
            if number > 0:
                add(start, end, f"{number - 1}{suffix}", "constant -1")

    slips_in(text, toks, add)

    # Statements: deleted calls and updates, negated boolean returns.
    in_bool_function = False
    depth = 0
    masked = mask(text, toks)
    previous = ""
    for number, line in enumerate(masked.split("\n"), start=1):
        # A statement starts its line only after one that ended something.
        starts_statement = previous.rstrip().endswith((";", "{", "}", ":")) or not previous.strip()
        if line.strip():
            previous = line
        original = text[line_starts[number - 1]: line_starts[number] - 1] if number < len(line_starts) else text[line_starts[number - 1]:]
        stripped = line.strip()
        if BOOL_FUNCTION.match(line) or re.search(r"\)\s*(?:const\s*)?->\s*bool\b", line):
            in_bool_function = True
            depth = 0
        opened = line.count("{") - line.count("}")
        if in_bool_function:
            depth += opened
            if stripped.startswith("return ") and stripped.endswith(";") and depth >= 1:
                # The masked line ends the expression, so a comment after the ';' is not in it.
                lead = len(line) - len(line.lstrip())
                expression = original[lead + len("return "):line.rstrip().rindex(";")]
                if expression not in ("true", "false"):
                    begin = line_starts[number - 1] + original.index("return ") + len("return ")
                    add(begin, begin + len(expression), f"!({expression})", "boolean return negated")
            if depth <= 0 and "}" in line:
                in_bool_function = False
        match = STATEMENT.match(line)
        if (match and starts_statement and not DECLARATION_START.match(match.group("body"))
                and balanced(match.group("body"))):
            begin = line_starts[number - 1] + len(match.group("indent"))
            add(begin, line_starts[number - 1] + len(original.rstrip()), ";", "statement deleted")
    return found


# --- the slips of a developer: whole calls, operands, players, arguments, texts, guards -------

NOT_CALLS = {
    "if", "for", "while", "switch", "return", "sizeof", "alignof", "decltype", "noexcept",
    "static_cast", "reinterpret_cast", "const_cast", "dynamic_cast", "typeid", "catch",
    "operator", "defined", "static_assert", "assert", "move", "forward", "connect",
    "QStringLiteral", "QLatin1String", "QLatin1Char", "tr", "Q_EMIT", "emit", "do", "else",
}
# Calls that only tidy or bound a value: a slip drops them whole.
UNWRAPPED_METHODS = {"trimmed", "simplified", "toLower", "toUpper", "toCaseFolded", "abs"}
BOUNDS = {"min", "max", "clamp"}
SWAPPED = {"min": "max", "max": "min", "min_element": "max_element",
           "max_element": "min_element"}
OTHER_PLAYER = {"other", "opponent"}
PLAYER_INDEX = {"p", "player", "thrower", "winner", "loser", "who", "toThrow"}
# Where a value starts: the token before a call that is an expression, not a declaration.
EXPRESSION_BEFORE = {"(", ",", "=", "return", "{", "!", "&&", "||", "+", "-", "*", "/", "%", "<",
                     ">", "<=", ">=", "==", "!=", "?", ":", "<<", ">>", "[", "+=", "-=", "*=",
                     "/=", "|=", "&=", "throw"}
OPENS = {"(": ")", "[": "]", "{": "}"}


def pairs_of(toks):
    """Each bracket token's partner, by index, for the tokens of the code (not directives)."""
    partner, stack = {}, []
    for i, (kind, value, _, _) in enumerate(toks):
        if kind != "op":
            continue
        if value in OPENS:
            stack.append(i)
        elif value in (")", "]", "}") and stack:
            j = stack.pop()
            partner[i], partner[j] = j, i
    return partner


def arguments(toks, partner, open_index):
    """The top-level arguments of the call whose '(' is at open_index, as index ranges."""
    close = partner.get(open_index)
    if close is None or close == open_index + 1:
        return []
    out, start, i = [], open_index + 1, open_index + 1
    while i < close:
        kind, value = toks[i][0], toks[i][1]
        if kind == "op" and value in OPENS and i in partner:
            i = partner[i]
        elif kind == "op" and value == ",":
            out.append((start, i - 1))
            start = i + 1
        i += 1
    out.append((start, close - 1))
    return out


def simple(toks, first, last):
    """One word or number, or a member chain of words (a.b, a->b): an argument of one piece."""
    kinds = [toks[i][0] for i in range(first, last + 1)]
    values = [toks[i][1] for i in range(first, last + 1)]
    if len(values) == 1:
        return kinds[0] in ("word", "number", "string", "char")
    return all(k == "word" if n % 2 == 0 else v in (".", "->", "::")
               for n, (k, v) in enumerate(zip(kinds, values))) and len(values) % 2 == 1


def slips_in(text, toks, add):
    partner = pairs_of(toks)

    def span(first, last):
        return toks[first][2], toks[last][3]

    for i, (kind, value, start, end) in enumerate(toks):
        if kind == "pre":
            continue
        before = toks[i - 1][1] if i > 0 else ""
        after = toks[i + 1][1] if i + 1 < len(toks) else ""

        # A string the user or a file sees, one character short.
        if kind == "string" and len(value) > 2 and before != "extern":
            body = value[1:-1]
            cut = 2 if len(body) >= 2 and body[-2] == "\\" else 1
            add(start, end, '"' + body[:-cut] + '"', "string changed")

        if kind == "word" and value in SWAPPED and after in ("(", "<"):
            add(start, end, SWAPPED[value], "min/max swapped")

        if kind == "word" and after == "(" and value not in NOT_CALLS and i + 1 in partner:
            # The call's name with its qualification (std::max, MatchC::other).
            first = i
            while first >= 2 and toks[first - 1][1] == "::" and toks[first - 2][0] == "word":
                first -= 2
            lead = toks[first - 1][1] if first > 0 else ""
            args = arguments(toks, partner, i + 1)
            close = partner[i + 1]
            call_start, call_end = toks[first][2], toks[close][3]
            if lead in (".", "->"):
                if value in UNWRAPPED_METHODS and not args:
                    # x.trimmed() -> x: the dot and the call go.
                    add(toks[first - 1][2], call_end, "", "call unwrapped")
            elif lead in EXPRESSION_BEFORE - {"{"} and not value[0].isupper():
                if value in OTHER_PLAYER and len(args) == 1:
                    a, b = span(*args[0])
                    add(call_start, call_end, "(" + text[a:b] + ")", "player swapped")
                elif value in BOUNDS and len(args) >= 2:
                    a, b = span(*args[0])
                    add(call_start, call_end, "(" + text[a:b] + ")", "call unwrapped")
                elif len(args) == 1:
                    a, b = span(*args[0])
                    add(call_start, call_end, "(" + text[a:b] + ")", "call unwrapped")
            if len(args) == 2 and all(simple(toks, *arg) for arg in args):
                (a1, b1), (a2, b2) = span(*args[0]), span(*args[1])
                same_kind = toks[args[0][0]][0] == toks[args[1][0]][0]
                if same_kind and text[a1:b1] != text[a2:b2]:
                    add(a1, b2, text[a2:b2] + text[b1:a2] + text[a1:b1], "arguments swapped")

        # 1 - p for p, and a player's index for the other's.
        if (kind == "number" and value == "1" and after == "-" and before in EXPRESSION_BEFORE
                and i + 2 < len(toks) and toks[i + 2][0] == "word"
                and toks[i + 2][1] in PLAYER_INDEX
                and (i + 3 >= len(toks) or toks[i + 3][1] not in ("(", ".", "->", "["))):
            add(start, toks[i + 2][3], toks[i + 2][1], "player swapped")
        if (kind == "op" and value == "[" and before not in ("[", "") and i + 2 < len(toks)
                and toks[i + 1][0] == "word" and toks[i + 1][1] in PLAYER_INDEX
                and toks[i + 2][1] == "]" and (toks[i - 1][0] == "word" or before in (")", "]"))):
            add(toks[i + 1][2], toks[i + 1][3], "1 - " + toks[i + 1][1], "player swapped")

        # A subscript one place on.
        if (kind == "op" and value == "[" and i in partner and partner[i] > i + 1
                and before not in ("[", "=", "(", ",", "return", "{")
                and (toks[i - 1][0] == "word" or before in (")", "]"))
                and toks[i + 1][1] != "[" and toks[partner[i] - 1][1] != "]"
                and not (partner[i] == i + 2 and toks[i + 1][0] == "number")):
            inner = (toks[i + 1][2], toks[partner[i] - 1][3])
            add(*inner, text[inner[0]:inner[1]] + " + 1", "index shifted")

        # One operand of a compound condition dropped.
        if kind == "op" and value in ("&&", "||") and spaced(text, start, end):
            stops = {"&&", "||"} if value == "&&" else {"||"}
            left = i - 1
            while left >= 0:
                k, v = toks[left][0], toks[left][1]
                if k == "op" and v in (")", "]", "}") and left in partner:
                    left = partner[left] - 1
                    continue
                if (k == "op" and v in {"(", "[", "{", ",", ";", "=", "?", ":"} | stops) or \
                        v in ("return", "throw") or k == "pre":
                    break
                left -= 1
            right = i + 1
            while right < len(toks):
                k, v = toks[right][0], toks[right][1]
                if k == "op" and v in OPENS and right in partner:
                    right = partner[right] + 1
                    continue
                if (k == "op" and v in {")", "]", "}", ",", ";", "?", ":"} | stops) or k == "pre":
                    break
                right += 1
            if left + 1 < i and i + 1 < right:
                (ls, le), (rs, re_) = span(left + 1, i - 1), span(i + 1, right - 1)
                add(ls, re_, text[rs:re_], "operand dropped")
                add(ls, re_, text[ls:le], "operand dropped")

        # A guard dropped with its body: an if without an else, a few lines at most.
        if (kind == "word" and value == "if" and after == "(" and before in (";", "{", "}", ":")
                and i + 1 in partner):
            body = partner[i + 1] + 1
            if body < len(toks):
                if toks[body][1] == "{" and body in partner:
                    last = partner[body]
                else:
                    last = body
                    while last < len(toks) and toks[last][1] != ";":
                        last = partner.get(last, last) + 1 if toks[last][1] in OPENS else last + 1
                following = toks[last + 1][1] if last + 1 < len(toks) else ""
                if (last < len(toks) and following != "else"
                        and text.count("\n", start, toks[last][3]) <= 12):
                    add(start, toks[last][3], ";", "guard dropped")


def mask(text, toks):
    """The text with strings, characters, comments and directives blanked, lines kept."""
    chars = list(text)
    kept = set()
    for kind, _, start, end in toks:
        if kind in ("string", "char", "raw", "pre"):
            for i in range(start, end):
                if chars[i] != "\n":
                    chars[i] = " "
        kept.update(range(start, end))
    for i, ch in enumerate(chars):
        if i not in kept and ch not in " \t\n":
            chars[i] = " "  # a comment
    return "".join(chars)


def balanced(body):
    depth = 0
    for ch in body:
        depth += {"(": 1, ")": -1}.get(ch, 0)
        if depth < 0:
            return False
    return depth == 0


# --- which lines, which files ----------------------------------------------------------------

def changed_lines(ref, paths):
    """Lines of the work tree added or changed since ref, per file."""
    diff = subprocess.run(["git", "diff", "-U0", ref, "--", *paths], cwd=ROOT, check=True,
                          capture_output=True, text=True).stdout
    wanted, current = {}, None
    for line in diff.splitlines():
        if line.startswith("+++ "):
            name = line[4:]
            current = None if name == "/dev/null" else ROOT / name[2:]
        elif line.startswith("@@") and current is not None:
            match = re.search(r"\+(\d+)(?:,(\d+))?", line)
            first, count = int(match.group(1)), int(match.group(2) or 1)
            wanted.setdefault(current, set()).update(range(first, first + count))
    return wanted


def source_files(paths):
    for folder in paths:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix in (".cpp", ".h") and path.is_file():
                yield path


def load_skips():
    """Equivalent mutants: 'file | line text | description | reason' per line."""
    skips = set()
    if SKIP_FILE.exists():
        for line in SKIP_FILE.read_text().splitlines():
            if line.strip() and not line.startswith("#"):
                parts = [part.strip() for part in line.split(" | ")]
                if len(parts) >= 3:
                    skips.add(tuple(parts[:3]))
    return skips


SURVIVOR = re.compile(r"SURVIVED\s+(?P<path>[^:\s]+):(?P<line>\d+): (?P<what>.*) \(\d+\.\d s\)$")


def survivors_again(sites, texts, log, ref):
    """The sites of today's tree that are the survivors in `log`: the same file, the same
    mutation and the same line text as on commit `ref` (lines move as code is added)."""
    found = []
    for line in Path(log).read_text().splitlines():
        match = SURVIVOR.search(line)
        if not match:
            continue
        path, number, what = match["path"], int(match["line"]), match["what"]
        shown = subprocess.run(["git", "show", f"{ref}:{path}"], cwd=ROOT, capture_output=True,
                               text=True)
        old_lines = shown.stdout.splitlines()
        old_text = old_lines[number - 1].strip() if 0 < number <= len(old_lines) else None
        same = [s for s in sites if str(s.path.relative_to(ROOT)) == path and
                s.describe(texts[s.path]) == what and
                texts[s.path].splitlines()[s.line - 1].strip() == old_text]
        if same:
            # The same text may stand on several lines; the one nearest the old place.
            found.append(min(same, key=lambda s: abs(s.line - number)))
        else:
            print(f"mutants: {path}:{number}: {what}: gone, or listed as equivalent since")
    return found


def skip_key(site, text):
    line_text = text.splitlines()[site.line - 1].strip()
    return (str(site.path.relative_to(ROOT)), line_text, site.describe(text))


# --- running ---------------------------------------------------------------------------------

# The installed tree's test needs the whole build (man pages, icons), not a mutant's targets;
# it checks files, not rules of the code.
CTEST_EXCLUDE = ["-E", "^Install\\."]
# The window's tests run without a display, as CI runs them.
TEST_ENVIRONMENT = {**os.environ, "QT_QPA_PLATFORM": "offscreen"}


def run(command, timeout):
    started = time.monotonic()
    try:
        done = subprocess.run(command, cwd=ROOT, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=timeout, env=TEST_ENVIRONMENT)
        return done.returncode, time.monotonic() - started
    except subprocess.TimeoutExpired:
        return "timeout", time.monotonic() - started


def configure(build):
    # Every time: a folder configured before the window was built with it takes the option now.
    subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
                    "-DCMAKE_BUILD_TYPE=Release", "-DQUIVERMARK_GUI=ON",
                    "-DQUIVERMARK_BENCHMARKS=OFF"], check=True, stdout=subprocess.DEVNULL)
    code, _ = run(["cmake", "--build", str(build), "--target", *TEST_TARGETS], None)
    if code != 0:
        sys.exit("mutants: the unmutated tree does not build")
    code, _ = run(["ctest", "--test-dir", str(build), "-j", str(os.cpu_count() or 2),
                   *CTEST_EXCLUDE], None)
    if code != 0:
        sys.exit("mutants: the unmutated tree fails its tests; fix them first")


def context(text, line):
    lines = text.splitlines()
    low, high = max(0, line - 3), min(len(lines), line + 2)
    return "\n".join(f"    {n + 1:5}{'>' if n + 1 == line else ' '} {lines[n]}" for n in range(low, high))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int,
                        help="mutants to sample (default 30; with --since, all the sites)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the sample (default 1)")
    parser.add_argument("--since", metavar="REF", help="only lines changed since REF (all of them)")
    parser.add_argument("--paths", nargs="+", default=DEFAULT_PATHS, help="folders to mutate")
    parser.add_argument("--build-dir", default="build/mutants", help="its own build folder")
    parser.add_argument("--timeout", type=int, default=300, help="seconds a test run may take")
    parser.add_argument("--from", dest="start", type=int, default=1, metavar="N",
                        help="begin at the sample's N-th mutant, to go on with a run that was "
                             "stopped (on the same tree: the sample depends on every site)")
    parser.add_argument("--list", action="store_true", help="list the sites, run nothing")
    parser.add_argument("--retry", nargs=2, metavar=("LOG", "REF"),
                        help="only the survivors of an earlier run's output LOG, made on commit "
                             "REF, found again in today's tree by their line's text")
    args = parser.parse_args()

    wanted = changed_lines(args.since, args.paths) if args.since else None
    texts, sites = {}, []
    for path in source_files(args.paths):
        if wanted is not None and path not in wanted:
            continue
        texts[path] = path.read_text()
        sites += sites_in(path, texts[path], wanted.get(path) if wanted is not None else None)
    skips = load_skips()
    equivalent = [s for s in sites if skip_key(s, texts[s.path]) in skips]
    sites = [s for s in sites if skip_key(s, texts[s.path]) not in skips]
    if args.retry:
        sites = survivors_again(sites, texts, *args.retry)
    else:
        count = args.count if args.count is not None else (len(sites) if args.since else 30)
        sites = random.Random(args.seed).sample(sites, min(count, len(sites)))
    print(f"mutants: {len(sites)} to try ({len(equivalent)} listed as equivalent left out)")
    if args.list:
        for site in sites:
            print(f"{site.path.relative_to(ROOT)}:{site.line}: {site.describe(texts[site.path])}")
        return 0

    build = ROOT / args.build_dir
    configure(build)
    current = {"path": None}

    def restore(*_):
        if current["path"] is not None:
            current["path"].write_text(texts[current["path"]])
            current["path"] = None

    def interrupted(signum, frame):
        restore()
        print("\nmutants: stopped; the file is restored")
        sys.exit(130)

    signal.signal(signal.SIGINT, interrupted)
    signal.signal(signal.SIGTERM, interrupted)

    killed = applicable = 0
    survivors = []
    started = time.monotonic()
    for number, site in enumerate(sites, start=1):
        if number < args.start:
            continue
        text = texts[site.path]
        where = f"{site.path.relative_to(ROOT)}:{site.line}"
        try:
            current["path"] = site.path
            site.path.write_text(text[: site.start] + site.replacement + text[site.end:])
            code, seconds = run(["cmake", "--build", str(build), "--target", *TEST_TARGETS], None)
            if code != 0:
                verdict = "does not compile"
            else:
                applicable += 1
                code, tested = run(["ctest", "--test-dir", str(build), "-j",
                                    str(os.cpu_count() or 2), "--stop-on-failure",
                                    *CTEST_EXCLUDE], args.timeout)
                seconds += tested
                if code == 0:
                    verdict = "SURVIVED"
                    survivors.append((site, where))
                else:
                    killed += 1
                    verdict = "killed" if code != "timeout" else "killed (timeout)"
        finally:
            restore()
        print(f"[{number}/{len(sites)}] {verdict:16} {where}: {site.describe(text)} ({seconds:.1f} s)",
              flush=True)

    # The restored files must be rebuilt before anything else uses the folder.
    run(["cmake", "--build", str(build), "--target", *TEST_TARGETS], None)
    for site, where in survivors:
        print(f"\nsurvivor {where}: {site.describe(texts[site.path])}")
        print(context(texts[site.path], site.line))
    elapsed = time.monotonic() - started
    score = 100.0 * killed / applicable if applicable else 100.0
    tried = max(0, len(sites) - args.start + 1)
    print(f"\n{tried} mutants in {elapsed:.0f} s ({elapsed / max(1, tried):.1f} s each)")
    print(f"mutation score: {killed} killed of {applicable} applicable ({score:.1f}%)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
