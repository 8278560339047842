#!/usr/bin/env python3
"""Every help topic the program opens has its page, and every link between
the pages leads to a page that exists.
    check_help_pages.py SRC_DIR HELP_DIR"""
import pathlib
import re
import sys

src, help_dir = map(pathlib.Path, sys.argv[1:3])
problems = []

opened = set()
for source in src.rglob("*.cpp"):
    for topic in re.findall(r'ShowHelpTopic\([^;]*?L"([^"]+)"', source.read_text(encoding="utf-8")):
        opened.add(topic)
        if not (help_dir / f"{topic}.html").is_file():
            problems.append(f"{source.relative_to(src)} opens help topic \"{topic}\", which has no page")

for page in sorted(help_dir.glob("*.html")):
    text = page.read_text(encoding="utf-8")
    if "<title>" not in text:
        problems.append(f"{page.name} has no title")
    for link in re.findall(r'(?:href|src)="([^"#:]+)(?:#[^"]*)?"', text):
        if not (help_dir / link).is_file():
            problems.append(f"{page.name} links to {link}, which does not exist")

if not opened:
    problems.append("no help topic is opened anywhere: the topic pattern no longer matches the code")
print("\n".join(problems) or f"{len(opened)} topics, all pages and links present")
sys.exit(1 if problems else 0)
