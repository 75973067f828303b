#!/usr/bin/env python3
"""Generate a small home folder full of equal scores, for comparing plans of two builds.

Folders and files are named from a handful of words, and many folders are exact copies of
another under a different parent, so that waiting files often score the same against several
folders, several names inside one folder, or a folder's name and its files alike. Which one
wins such a tie, and which name a reason quotes, is decided by the order of the folders and of
their files; two builds that differ there give different plans. The same seed gives the same
home.
"""

import argparse
import os
import random
import sys

WORDS = ["invoice", "travel", "recipe", "garden", "taxes", "budget", "zebra"]
EXTENSIONS = ["pdf", "pdf", "jpg", "txt", "mp3"]
ROOTS = ["Documents", "Pictures", "Music", "Desktop"]


def touch(path):
    with open(path, "wb"):
        pass


def words(rng, most=3):
    return [rng.choice(WORDS) for _ in range(rng.randint(1, most))]


def file_name(rng, between):
    return between.join(words(rng)) + "." + rng.choice(EXTENSIONS)


def make_folder(path, names):
    os.makedirs(path, exist_ok=True)
    for name in names:
        touch(os.path.join(path, name))


def fixed_cases(home):
    """Ties set up on purpose, each next to a waiting file that meets it."""
    # Twins and triplets: the same name and files under different parents.
    for parent in ["Documents/Work", "Documents/Home", "Desktop/Old"]:
        make_folder(os.path.join(home, parent, "Invoices"),
                    ["invoice march.pdf", "invoice april.pdf"])
    # Two names in one folder with the same words in another order.
    make_folder(os.path.join(home, "Documents/Garden"),
                ["garden budget.pdf", "budget garden.pdf", "Budget-Garden.txt"])
    # A name equal to the folder's only file, and an empty folder whose name is all it has.
    make_folder(os.path.join(home, "Documents/Recipe Travel"), ["recipe travel.pdf"])
    make_folder(os.path.join(home, "Documents/Zebra Taxes"), [])
    # The same words in a folder of pictures and in one of documents.
    make_folder(os.path.join(home, "Pictures/Budget Zebra"), ["budget zebra.jpg"])
    make_folder(os.path.join(home, "Documents/Budget Zebra"), ["budget zebra.pdf"])
    # A folder inside another, both as close.
    make_folder(os.path.join(home, "Documents/Taxes"), ["taxes garden.pdf"])
    make_folder(os.path.join(home, "Documents/Taxes/Taxes"), ["taxes garden.pdf"])
    return ["invoice.pdf", "invoice april.pdf", "garden budget.pdf", "recipe travel.pdf",
            "zebra taxes.pdf", "budget zebra.pdf", "budget zebra.jpg", "taxes garden.pdf",
            "Travel Recipe.txt", "invoice march april.jpg"]


def random_cases(rng, home, folders, waiting):
    made = []
    for n in range(folders):
        root = rng.choice(ROOTS)
        if made and rng.random() < 0.35:
            # A copy of an earlier folder, name and files, somewhere else.
            name, files = rng.choice(made)
        else:
            name = " ".join(w.capitalize() for w in words(rng, 2))
            files = sorted({file_name(rng, rng.choice([" ", "_", "-"]))
                            for _ in range(rng.randint(0, 4))})
        made.append((name, files))
        make_folder(os.path.join(home, root, f"{n:03d}", name), files)
    return [file_name(rng, rng.choice([" ", "_", "-"])) for _ in range(waiting)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--folders", type=int, default=60)
    parser.add_argument("--waiting", type=int, default=120)
    parser.add_argument("out", help="new or empty folder for the home")
    args = parser.parse_args()

    if os.path.exists(args.out) and (not os.path.isdir(args.out) or os.listdir(args.out)):
        sys.exit(f"{args.out} exists and is not an empty folder")
    rng = random.Random(args.seed)
    names = fixed_cases(args.out) + random_cases(rng, args.out, args.folders, args.waiting)

    downloads = os.path.join(args.out, "Downloads")
    os.makedirs(downloads, exist_ok=True)
    taken = set()
    for name in names:
        stem, dot, ext = name.rpartition(".")
        candidate, n = name, 2
        while candidate in taken:
            candidate = f"{stem} {n}{dot}{ext}"
            n += 1
        taken.add(candidate)
        touch(os.path.join(downloads, candidate))


if __name__ == "__main__":
    main()
