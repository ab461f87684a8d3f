#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs the manual's examples and checks its links, so that docs/ cannot drift from the program.

  check_docs.py scripts ULVXNPP FILE...        every ```ulv block through ulvxnpp, its stdout
                                                compared byte for byte with the ```output block
  check_docs.py c LIBRARY INCLUDE_DIR FILE...  every ```c block compiled against the library and
                                                run, its stdout compared with the ```output block
  check_docs.py python PYTHON FILE...          a file's ```pycon blocks as one doctest session
  check_docs.py links FILE...                  local links and their anchors

Directives are HTML comments on the lines before a ```ulv block:
  <!-- ulvxnpp: OPTIONS -->   options before the "--no-header -" every run gets
  <!-- file: NAME -->         the ```text block that follows is written to NAME beside the script
  <!-- status: N -->          the exit status the run must have
"""
import doctest
import os
import re
import shlex
import subprocess
import sys
import tempfile
import unicodedata
from dataclasses import dataclass, field
from pathlib import Path

FENCE = re.compile(r"^```\s*([\w+-]*)\s*$")
EXAMPLE_KINDS = ("ulv", "c")
DIRECTIVE = re.compile(r"^<!--\s*(ulvxnpp|file|status):\s*(.*?)\s*-->\s*$")


@dataclass
class Block:
    kind: str
    text: str
    line: int  # of the opening fence, from 1


@dataclass
class Example:
    source: Block
    expected: Block
    options: list = field(default_factory=list)
    files: dict = field(default_factory=dict)
    status: int | None = None


class ManualError(Exception):
    pass


def items(path):
    """The file's fenced blocks and directive comments, in order."""
    lines = Path(path).read_text(encoding="utf-8").split("\n")
    i = 0
    while i < len(lines):
        directive = DIRECTIVE.match(lines[i])
        fence = FENCE.match(lines[i])
        if directive:
            yield directive.group(1), directive.group(2), i + 1
        elif fence:
            start = i
            i += 1
            while i < len(lines) and lines[i] != "```":
                i += 1
            if i == len(lines):
                raise ManualError(f"{path}:{start + 1}: a code block that is never closed")
            yield "block", Block(fence.group(1), "".join(l + "\n" for l in lines[start + 1:i]), start + 1), start + 1
        elif lines[i].strip():
            yield "prose", None, i + 1
        i += 1


def examples(path, kind):
    """Each block of the kind with its expected output and the directives before it."""
    found = []
    pending = Example(None, None)
    awaiting_file = None
    source = None
    other_example = False  # an example of the other kind, whose output this run skips
    for what, value, line in items(path):
        if other_example:
            other_example = False
            if what == "block" and value.kind == "output":
                continue
        if source is not None:
            if what == "block" and value.kind == "output":
                found.append(Example(source, value, pending.options, pending.files, pending.status))
                pending, source = Example(None, None), None
                continue
            raise ManualError(f"{path}:{source.line}: a ```{kind} block must be followed by an ```output block")
        if what in ("ulvxnpp", "status", "file"):
            if what == "ulvxnpp":
                pending.options = shlex.split(value)
            elif what == "status":
                pending.status = int(value)
            else:
                awaiting_file = value
        elif what == "block" and awaiting_file is not None:
            if value.kind != "text":
                raise ManualError(f"{path}:{line}: a file directive must be followed by a ```text block")
            pending.files[awaiting_file] = value.text
            awaiting_file = None
        elif what == "block" and value.kind == kind:
            source = value
        elif what == "block" and value.kind in EXAMPLE_KINDS:
            other_example = True
            pending = Example(None, None)
        elif what == "block" and value.kind == "output":
            raise ManualError(f"{path}:{line}: an ```output block follows no example")
        elif what == "prose" and (pending.options or pending.files or pending.status is not None):
            raise ManualError(f"{path}:{line}: directives stand before an example, with nothing between")
    if source is not None:
        raise ManualError(f"{path}:{source.line}: a ```{kind} block must be followed by an ```output block")
    return found


def compare(path, example, stdout, status):
    problems = []
    if stdout != example.expected.text:
        wanted, got = example.expected.text.split("\n"), stdout.split("\n")
        first = next((k for k, (a, b) in enumerate(zip(wanted, got)) if a != b), min(len(wanted), len(got)))
        shown = lambda lines: repr(lines[first]) if first < len(lines) else "(no more lines)"
        problems.append(f"{path}:{example.source.line}: the output differs from line {first + 1} of the block: "
                        f"the manual has {shown(wanted)}, the program {shown(got)}\n--- the manual\n"
                        f"{example.expected.text}--- the program\n{stdout}---")
    if example.status is not None and status != example.status:
        problems.append(f"{path}:{example.source.line}: exit status {status}, the manual says {example.status}")
    return problems


def run_scripts(ulvxnpp, paths):
    problems, count = [], 0
    ulvxnpp = str(Path(ulvxnpp).resolve())  # the runs start in folders of their own
    for path in paths:
        for example in examples(path, "ulv"):
            count += 1
            with tempfile.TemporaryDirectory() as folder:
                for name, text in example.files.items():
                    Path(folder, name).write_text(text, encoding="utf-8")
                run = subprocess.run([ulvxnpp, *example.options, "--no-header", "-"], input=example.source.text.encode(),
                                     capture_output=True, cwd=folder, timeout=60)
            problems += compare(path, example, run.stdout.decode("utf-8", "replace"), run.returncode)
    return problems, count


def run_c(library, include, paths):
    problems, count = [], 0
    compiler = os.environ.get("CC", "cc")
    library_dir = str(Path(library).resolve().parent)
    for path in paths:
        for example in examples(path, "c"):
            count += 1
            with tempfile.TemporaryDirectory() as folder:
                source = Path(folder, "example.c")
                source.write_text(example.source.text, encoding="utf-8")
                program = Path(folder, "example")
                build = subprocess.run([compiler, "-std=c11", "-Wall", "-Wextra", "-Werror", "-I", include, str(source),
                                        "-o", str(program), "-L" + library_dir, "-lmorvane", "-lm", "-lpthread"],
                                       capture_output=True, text=True)
                if build.returncode != 0:
                    problems.append(f"{path}:{example.source.line}: does not compile\n{build.stderr}")
                    continue
                env = dict(os.environ, LD_LIBRARY_PATH=library_dir)
                run = subprocess.run([str(program)], capture_output=True, cwd=folder, env=env, timeout=60)
            problems += compare(path, example, run.stdout.decode("utf-8", "replace"), run.returncode)
    return problems, count


def run_python(python, paths):
    """Each file's pycon blocks as one session, in the interpreter given (where the package is)."""
    problems, count = [], 0
    for path in paths:
        blocks = [value for what, value, _ in items(path) if what == "block" and value.kind == "pycon"]
        if not blocks:
            continue
        count += sum(block.text.count(">>> ") for block in blocks)
        # Blank lines inside a block would end an example's expected output; doctest marks them.
        text = "\n".join(block.text for block in blocks)
        runner = ("import doctest, sys\n"
                  "text = sys.stdin.read()\n"
                  "test = doctest.DocTestParser().get_doctest(text, {}, sys.argv[1], sys.argv[1], 0)\n"
                  "result = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS).run(test)\n"
                  "sys.exit(1 if result.failed else 0)\n")
        run = subprocess.run([python, "-c", runner, str(path)], input=text, capture_output=True, text=True, timeout=300)
        if run.returncode != 0:
            problems.append(f"{path}: the Python examples fail\n{run.stdout}{run.stderr}")
    return problems, count


def slug_markdown(heading):
    """The anchor the site's table of contents gives a heading."""
    value = unicodedata.normalize("NFKD", heading).encode("ascii", "ignore").decode()
    value = re.sub(r"[^\w\s-]", "", value).strip().lower()
    return re.sub(r"[-\s]+", "-", value)


def slug_github(heading):
    """The anchor a repository browser gives the same heading."""
    value = re.sub(r"[^\w\- ]", "", heading.strip().lower())
    return value.replace(" ", "-")


def heading_text(line):
    text = line.lstrip("#").strip()
    text = re.sub(r"`([^`]*)`", r"\1", text)
    return re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", text)


def anchors(path):
    """Anchors both renderings agree on, and the headings where they do not."""
    agreed, differing = set(), {}
    inside = False
    for line in Path(path).read_text(encoding="utf-8").split("\n"):
        if FENCE.match(line) or line == "```":
            inside = not inside
        elif not inside and re.match(r"^#{1,6} ", line):
            text = heading_text(line)
            site, browser = slug_markdown(text), slug_github(text)
            if site == browser:
                agreed.add(site)
            else:
                differing[site] = text
                differing[browser] = text
    return agreed, differing


LINK = re.compile(r"(?<!!)\[[^\]]*\]\(([^)\s]+)(?:\s+\"[^\"]*\")?\)|!\[[^\]]*\]\(([^)\s]+)\)")


def check_links(paths):
    problems, count = [], 0
    for path in paths:
        path = Path(path)
        inside = False
        for number, line in enumerate(path.read_text(encoding="utf-8").split("\n"), 1):
            if FENCE.match(line) or line == "```":
                inside = not inside
                continue
            if inside:
                continue
            line = re.sub(r"`[^`]*`", "", line)
            for match in LINK.finditer(line):
                target = match.group(1) or match.group(2)
                if re.match(r"^[a-z]+:", target):
                    continue
                count += 1
                where = f"{path}:{number}: {target}"
                file_part, _, anchor = target.partition("#")
                linked = (path.parent / file_part).resolve() if file_part else path.resolve()
                if not linked.exists():
                    problems.append(f"{where}: no such file")
                    continue
                if path.parent.name == "docs" and not linked.is_relative_to(path.parent.resolve()):
                    problems.append(f"{where}: a page of the manual links outside docs/, which the site does not have")
                if anchor and linked.suffix == ".md":
                    agreed, differing = anchors(linked)
                    if anchor in differing:
                        problems.append(f"{where}: the heading '{differing[anchor]}' has different anchors on the "
                                        "site and in the repository browser; reword it")
                    elif anchor not in agreed:
                        problems.append(f"{where}: no heading with this anchor")
    return problems, count


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    kind, rest = argv[1], argv[2:]
    try:
        if kind == "scripts":
            problems, count = run_scripts(rest[0], rest[1:])
        elif kind == "c":
            problems, count = run_c(rest[0], rest[1], rest[2:])
        elif kind == "python":
            problems, count = run_python(rest[0], rest[1:])
        elif kind == "links":
            problems, count = check_links(rest)
        else:
            print(__doc__)
            return 2
    except ManualError as error:
        print(error)
        return 1
    for problem in problems:
        print(problem)
    print(f"{kind}: {count} checked, {len(problems)} failed")
    return 1 if problems or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
