#!/usr/bin/python3
"""Runs the example checker over small Markdown files whose verdict is known.

usage: CheckSnippetsTest.py CHECKER-COMMAND... (the checker and its options, without Markdown files)
"""

import subprocess
import sys
import tempfile
import textwrap
from dataclasses import dataclass

HELLO_CPP = """\
```cpp
#include <cstdio>
int main() { std::printf("hello\\n"); }
```
"""


@dataclass
class Case:
    name: str
    markdown: str
    failure: str | None  # a text the checker's report holds, or None where it passes


CASES = [
    Case("program without shown output", HELLO_CPP, None),
    Case("other output", HELLO_CPP + "```text\nhello!\n```\n", "prints other output"),
    Case("shown output lacks the last line end", "```cpp\n#include <cstdio>\nint main() { std::printf(\"a\\nb\"); }\n"
         "```\n```text\na\nb\n```\n", "prints other output"),
    Case("output after a paragraph is not the program's", HELLO_CPP + "\nThen:\n\n```text\nbye\n```\n", None),
    Case("warning", "```cpp\nint main() { int unused; return 0; }\n```\n", "does not compile"),
    Case("C++20 only", "```cpp\n#include <span>\nint main() { std::span<int> none; return int(none.size()); }\n```\n",
         "does not compile"),
    Case("failing program", "```cpp\nint main() { return 3; }\n```\n", "exit status 3"),
    Case("C, not C++", "```c\n#include <stdlib.h>\nint main(void) { int* p = malloc(4); free(p); return 0; }\n```\n",
         None),
    Case("runs at the top of the tree", "```cpp\n#include <cstdio>\n"
         "int main() { return std::fopen(\"tests/docs/CheckSnippets.py\", \"r\") == nullptr; }\n```\n", None),
    Case("script, other output", "```python\nprint('hello')\n```\n```text\nbye\n```\n", "prints other output"),
    Case("imports from python/ of the tree", "```python\nimport os, sys\n"
         "print(os.path.join(os.getcwd(), 'python') in sys.path)\n```\n```text\nTrue\n```\n", None),
    Case("doctest, other result", "```python\n>>> 6 * 7\n41\n```\n", "exit status 1"),
    Case("unclosed block", "```cpp\nint main() {}\n", "never closed"),
    Case("no example at all", "```text\nplain\n```\n", "no cpp, c or python block"),
]


def verdict(checker, case):
    with tempfile.NamedTemporaryFile("w", suffix=".md", encoding="utf-8") as markdown:
        markdown.write(case.markdown)
        markdown.flush()
        result = subprocess.run(checker + [markdown.name], capture_output=True, text=True)
    report = result.stdout + result.stderr
    if case.failure is None:
        return None if result.returncode == 0 else f"refused:\n{report}"
    if result.returncode == 0:
        return f"passed, but should fail with '{case.failure}':\n{report}"
    return None if case.failure in report else f"failed without '{case.failure}':\n{report}"


def main():
    checker = sys.argv[1:]
    wrong = [(case.name, verdict(checker, case)) for case in CASES]
    wrong = [(name, problem) for name, problem in wrong if problem is not None]
    for name, problem in wrong:
        print(f"{name}: {textwrap.indent(problem, '  ').strip()}")
    print(f"{len(CASES) - len(wrong)} of {len(CASES)} cases as expected")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
