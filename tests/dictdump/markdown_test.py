#!/usr/bin/python3
"""dictdump --format markdown -o DIR, end to end.

Every link in README.md (and each table file's link back) resolves; a
second run replaces only the files it wrote and removes its files of tables
gone; a file it did not write stops it before it writes anything; --check
lists the files that differ and exits 1, and exits 0 on a folder in step.

    markdown_test.py MKDICT DICTDUMP SOURCE_DIR WORK
"""
import os
import re
import shutil
import subprocess
import sys

MKDICT, DICTDUMP, SOURCE, WORK = sys.argv[1:5]
FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAILED: " + what)


def dump(folder, out, *extra):
    return subprocess.run([DICTDUMP, "-C", folder, "--format", "markdown", "-o", out, *extra],
                          capture_output=True, text=True)


def links_resolve(out):
    readme = open(os.path.join(out, "README.md"), encoding="utf-8").read()
    targets = re.findall(r"(?<!\\)\]\(([^)\s]+)\)", readme)  # an escaped ] starts no link
    check(len(targets) > 0, out + ": README.md links to nothing")
    for target in targets:
        path = os.path.join(out, target)
        check(os.path.isfile(path), "%s: README.md links to %s, which is not there" % (out, target))
        if os.path.isfile(path):
            check("](README.md)" in open(path, encoding="utf-8").read(), path + ": no link back")
    files = sorted(os.listdir(out))
    check(sorted(targets + ["README.md"]) == files, "%s holds %s" % (out, files))
    lower = [name.lower() for name in files]
    check(len(set(lower)) == len(lower), out + ": names clash without regard to case")
    check(all(re.fullmatch(r"[a-z0-9-]+\.md|README\.md", name) for name in files), "unsafe names: %s" % files)
    return targets


def main():
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    for name, ddl in (("shop", "sample/shop.ddl"), ("names", "tests/dictdump/html_names.ddl")):
        folder = os.path.join(WORK, name)
        subprocess.run([MKDICT, os.path.join(SOURCE, ddl), "-o", folder], check=True, stdout=subprocess.DEVNULL)
        out = os.path.join(WORK, name + "-md")
        run = dump(folder, out)
        check(run.returncode == 0, "%s: exit %d, %s" % (name, run.returncode, run.stderr))
        links_resolve(out)

    shop, out = os.path.join(WORK, "shop"), os.path.join(WORK, "shop-md")
    check(dump(shop, out, "--check").returncode == 0, "--check on a folder in step")
    # Edited, stale and missing files are listed; a file of one's own is left alone.
    with open(os.path.join(out, "orders.md"), "a", encoding="utf-8") as edited:
        edited.write("edited\n")
    shutil.copy(os.path.join(out, "products.md"), os.path.join(out, "gone.md"))
    os.remove(os.path.join(out, "customers.md"))
    with open(os.path.join(out, "notes.md"), "w", encoding="utf-8") as own:
        own.write("my notes\n")
    run = dump(shop, out, "--check")
    listed = sorted(os.path.basename(line) for line in run.stdout.splitlines())
    check(run.returncode == 1 and listed == ["customers.md", "gone.md", "orders.md"],
          "--check: exit %d, listed %s" % (run.returncode, listed))
    check("3 files in" in run.stderr, "--check: " + run.stderr)
    check(not os.path.exists(os.path.join(out, "customers.md")), "--check wrote")
    run = dump(shop, out)
    check(run.returncode == 0 and dump(shop, out, "--check").returncode == 0, "rerun: " + run.stderr)
    check(not os.path.exists(os.path.join(out, "gone.md")), "rerun kept its stale file")
    check(open(os.path.join(out, "notes.md")).read() == "my notes\n", "rerun touched a file of one's own")
    # A file it would replace that it did not write stops it before any write.
    with open(os.path.join(out, "orders.md"), "w", encoding="utf-8") as own:
        own.write("mine\n")
    os.remove(os.path.join(out, "products.md"))
    run = dump(shop, out)
    check(run.returncode == 1 and "orders.md exists and was not written by dictdump" in run.stderr,
          "foreign file: exit %d, %s" % (run.returncode, run.stderr))
    check(open(os.path.join(out, "orders.md")).read() == "mine\n", "foreign file overwritten")
    check(not os.path.exists(os.path.join(out, "products.md")), "wrote before refusing")
    if FAILURES:
        print("%d checks failed" % len(FAILURES))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
