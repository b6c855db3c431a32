"""Every relative link of the README and of the user guide points at a file
that exists and, when it names a heading (#anchor) of a Markdown file, at a
heading that exists there (anchors spelled as GitHub spells them).

    links_test.py <source root>
"""
import pathlib
import re
import sys

LINK = re.compile(r"\[[^\]]*\]\(([^)\s]+)(?:\s+\"[^\"]*\")?\)")


def outside_code_blocks(text):
    """The text with its fenced code blocks left out."""
    return re.sub(r"^```.*?^```", "", text, flags=re.S | re.M)


def anchors(path):
    """The anchors of the headings of a Markdown file, numbered when repeated;
    inline code in a heading keeps its text (`--solve` gives --solve)."""
    seen = {}
    found = set()
    for line in outside_code_blocks(path.read_text(encoding="utf-8")).splitlines():
        heading = re.match(r"#{1,6}\s+(.*?)\s*#*\s*$", line)
        if not heading:
            continue
        slug = re.sub(r"[^\w\- ]", "", heading.group(1).lower()).replace(" ", "-")
        count = seen.get(slug, 0)
        seen[slug] = count + 1
        found.add(slug if count == 0 else f"{slug}-{count}")
    return found


def broken_links(page):
    """The relative links of one page that lead nowhere, with the reason."""
    for target in LINK.findall(outside_code_blocks(page.read_text(encoding="utf-8"))):
        if re.match(r"[a-z][a-z0-9+.-]*:", target):
            continue  # http:, https:, mailto: and the like
        path_part, _, anchor = target.partition("#")
        linked = (page.parent / path_part).resolve() if path_part else page
        if not linked.exists():
            yield f"{target}: no file {linked}"
        elif anchor and linked.suffix == ".md" and anchor not in anchors(linked):
            yield f"{target}: {linked.name} has no heading with the anchor #{anchor}"


def main():
    root = pathlib.Path(sys.argv[1])
    pages = [root / "README.md", root / "config" / "README.md"] + sorted((root / "docs").glob("*.md"))
    failures = [f"{page.relative_to(root)}: {reason}" for page in pages
                for reason in broken_links(page)]
    links = sum(len(LINK.findall(outside_code_blocks(page.read_text(encoding="utf-8"))))
                for page in pages)
    for failure in failures:
        print("FAILED:", failure, file=sys.stderr)
    print(f"{len(pages)} pages, {links} links, {len(failures)} broken")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
