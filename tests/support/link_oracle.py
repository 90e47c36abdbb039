"""The missing link targets of a folder of pages, found with html5lib.

An independent reading of the pages for the link tool's tests: html5lib
parses each page as a browser does, and urllib resolves every link against
the page's address (its <base href> included) on a made-up host whose root
is the site folder. Prints "PAGE: missing: LINK" lines in no particular
order, PAGE as kelvo-tool names it (the folder given, then the page's path
below it), LINK as the URL parser takes it (tab and line ends removed,
blanks and control characters at its ends too).
"""
import os
import sys
import urllib.parse

import html5lib

HOST = "http://site.invalid/"
LINK_ATTRS = {
    "a": ["href"], "area": ["href"], "link": ["href"],
    "img": ["src"], "script": ["src"], "frame": ["src"], "iframe": ["src"],
    "embed": ["src"], "input": ["src"], "source": ["src"], "audio": ["src"],
    "video": ["src", "poster"], "track": ["src"],
    "body": ["background"], "table": ["background"], "td": ["background"],
    "th": ["background"],
}
SRCSET_TAGS = {"img", "source"}
PAGE_SUFFIXES = (".htm", ".html", ".shtml", ".php")


def srcset_urls(value):
    # Each candidate is a URL and its descriptors; the urls are what matter.
    urls = []
    for candidate in value.split(","):
        parts = candidate.split()
        if parts:
            urls.append(parts[0])
    return urls


def clean(link):
    link = link.replace("\t", "").replace("\n", "").replace("\r", "")
    return link.strip("".join(map(chr, range(0x21))))


def page_links(document):
    links = []
    for element in document.iter():
        tag = element.tag.split("}")[-1] if isinstance(element.tag, str) else ""
        for attr in LINK_ATTRS.get(tag, []):
            if element.get(attr):
                links.append(clean(element.get(attr)))
        if tag in SRCSET_TAGS and element.get("srcset"):
            links.extend(srcset_urls(element.get("srcset")))
    return [link for link in links if link]


def missing_targets(root, page_path):
    with open(page_path, "rb") as f:
        document = html5lib.parse(f.read(), namespaceHTMLElements=False)
    relative = os.path.relpath(page_path, root).replace(os.sep, "/")
    page_url = HOST + urllib.parse.quote(relative)
    base = next((e.get("href") for e in document.iter("base") if e.get("href")), None)
    base_url = urllib.parse.urljoin(page_url, clean(base).replace("\\", "/")) if base else page_url
    missing = set()
    for link in page_links(document):
        url = urllib.parse.urljoin(base_url, link.replace("\\", "/"))
        parts = urllib.parse.urlsplit(url)
        if parts.scheme != "http" or parts.netloc != "site.invalid":
            continue
        # The escapes are bytes of the name on the server, UTF-8 or not.
        name = urllib.parse.unquote_to_bytes(parts.path.lstrip("/"))
        if not os.path.exists(os.path.join(os.fsencode(root), name)):
            missing.add(link)
    return missing


def main():
    root = sys.argv[1]
    for folder, _, files in os.walk(root):
        for name in files:
            if name.endswith(PAGE_SUFFIXES):
                path = os.path.join(folder, name)
                shown = os.path.join(root, os.path.relpath(path, root))
                for link in sorted(missing_targets(root, path)):
                    print(f"{shown}: missing: {link}")


main()
