#!/usr/bin/python3
"""Checks the examples in Markdown files as a reader would use them.

Every fenced block tagged cpp or c is a whole program: compiled (C++17 / C99, warnings as errors)
against the given libraries and run. A python block whose lines begin with ">>> " is checked as a
doctest; another python block is run as a script. Where a block tagged text follows a program or a
script with only blank lines between, the program's standard output must equal it byte for byte.
Programs run in the current folder.

usage: CheckSnippets.py --cxx CXX --cc CC [--include DIR]... [--library FILE]... [--link=FLAG]... MARKDOWN|FOLDER...
(--link: linker flags as pkg-config gives them, for libraries installed in the system's folders)
(a folder stands for the *.md files in it)
"""

import argparse
import difflib
import pathlib
import subprocess
import sys
import tempfile
from dataclasses import dataclass

PYTHON = "/usr/bin/python3"
# Long enough for any example, short enough that a hung one fails the run instead of stopping it.
RUN_SECONDS = 120
FENCE = "```"
SOURCE_NAMES = {"cpp": "example.cpp", "c": "example.c", "doctest": "example.txt", "script": "example.py"}


@dataclass
class Block:
    path: pathlib.Path
    line: int  # of the opening fence, counted from 1
    closing_line: int  # of the closing fence
    tag: str
    text: str
    expected_output: str | None = None

    @property
    def place(self):
        return f"{self.path}:{self.line}: {self.tag} block"

    @property
    def kind(self):
        if self.tag == "python":
            return "doctest" if self.text.lstrip().startswith(">>> ") else "script"
        return self.tag


class Failure(Exception):
    pass


def fenced_blocks(path, lines):
    """Every fenced block of a Markdown file, in order."""
    blocks = []
    index = 0
    while index < len(lines):
        if not lines[index].startswith(FENCE):
            index += 1
            continue
        opening = index
        tag = lines[opening][len(FENCE):].strip().split(" ")[0]
        index += 1
        while index < len(lines) and lines[index].rstrip() != FENCE:
            index += 1
        if index == len(lines):
            raise Failure(f"{path}:{opening + 1}: the fenced block is never closed")
        body = "".join(line + "\n" for line in lines[opening + 1:index])
        blocks.append(Block(path, opening + 1, index + 1, tag, body))
        index += 1
    return blocks


def read_examples(path):
    """The examples of one Markdown file, each program given the output the text block after it shows."""
    lines = path.read_text(encoding="utf-8").split("\n")
    blocks = fenced_blocks(path, lines)
    for previous, block in zip(blocks, blocks[1:]):
        only_blanks_between = all(not line.strip() for line in lines[previous.closing_line:block.line - 1])
        if block.tag == "text" and previous.kind in ("cpp", "c", "script") and only_blanks_between:
            previous.expected_output = block.text
    return [block for block in blocks if block.tag in ("cpp", "c", "python")]


def run(command, what):
    try:
        return subprocess.run(command, capture_output=True, timeout=RUN_SECONDS)
    except subprocess.TimeoutExpired:
        raise Failure(f"{what}: still running after {RUN_SECONDS} s") from None


def build_program(block, source, options):
    compiler, standard = (options.cxx, "-std=c++17") if block.tag == "cpp" else (options.cc, "-std=c99")
    program = source.parent / "example"
    command = [compiler, standard, "-Wall", "-Wextra", "-Werror"]
    command += [f"-I{include}" for include in options.include]
    command += [str(source), "-o", str(program)]
    command += options.library + [f"-Wl,-rpath,{pathlib.Path(library).parent}" for library in options.library]
    command += options.link
    result = run(command, f"{block.place}: compiling")
    if result.returncode != 0:
        raise Failure(f"{block.place} does not compile:\n{result.stderr.decode(errors='replace')}")
    return [str(program)]


def command_for(block, folder, options):
    source = folder / SOURCE_NAMES[block.kind]
    source.write_text(block.text, encoding="utf-8")
    if block.kind == "doctest":
        return [PYTHON, "-m", "doctest", str(source)]
    return [PYTHON, str(source)] if block.kind == "script" else build_program(block, source, options)


def check(block, options):
    with tempfile.TemporaryDirectory() as folder:
        command = command_for(block, pathlib.Path(folder), options)
        result = run(command, f"{block.place}: running")
    output = result.stdout.decode(errors="replace")
    if result.returncode != 0:
        raise Failure(f"{block.place} ends with exit status {result.returncode}:\n{output}"
                      f"{result.stderr.decode(errors='replace')}")
    if block.expected_output is not None and result.stdout != block.expected_output.encode():
        difference = difflib.unified_diff(block.expected_output.splitlines(keepends=True),
                                          output.splitlines(keepends=True), "shown", "printed")
        raise Failure(f"{block.place} prints other output than the text block after it shows:\n"
                      + "".join(difference) + f"(printed {result.stdout!r})")


def markdown_files(paths):
    for path in map(pathlib.Path, paths):
        yield from sorted(path.glob("*.md")) if path.is_dir() else [path]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cxx", required=True)
    parser.add_argument("--cc", required=True)
    parser.add_argument("--include", action="append", default=[])
    parser.add_argument("--library", action="append", default=[])
    parser.add_argument("--link", action="append", default=[])
    parser.add_argument("markdown", nargs="+")
    options = parser.parse_args()

    failures, checked = 0, []
    for path in markdown_files(options.markdown):
        try:
            blocks = read_examples(path)
        except Failure as failure:
            print(failure)
            failures += 1
            continue
        for block in blocks:
            try:
                check(block, options)
                checked.append(block)
            except Failure as failure:
                print(failure)
                failures += 1
    if failures == 0 and not checked:
        print("no cpp, c or python block found in " + " ".join(options.markdown))
        return 1
    compared = sum(block.expected_output is not None for block in checked)
    print(f"examples working as shown: {len(checked)} ({compared} of them with their output); failing: {failures}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
