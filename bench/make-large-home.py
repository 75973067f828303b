#!/usr/bin/env python3
"""Generate a large made-up home folder for benchmarking `vesk-cli plan`.

Folders are spread under Documents (up to three levels), Pictures, Music, Movies and Desktop
(up to two); each holds files named from its own topic's vocabulary, so the similarity matcher
does real work. Downloads gets the waiting files: mostly names that resemble some folder, plus
screenshots, duplicates, installers, camera names and names that match nothing. Files are
empty. The same seed gives the same home.
"""

import argparse
import os
import random
import sys

MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December", "januar", "februar", "mars",
          "april", "mai", "juni", "juli", "august", "september", "oktober", "november",
          "desember"]
YEARS = [str(y) for y in range(2015, 2026)]

# topic -> (folder words per level, words for file names, file extensions)
TOPICS = {
    "Finance": (
        ["Invoices", "Receipts", "Bank", "Taxes", "Budget", "Pension", "Loans", "Utilities"],
        ["invoice", "faktura", "receipt", "kvittering", "statement", "payment", "Telenor",
         "Tibber", "Fjordkraft", "DNB", "Nordea", "Altibox", "rent", "husleie", "strøm",
         "mortgage", "salary", "tax", "skattemelding", "refund", "发票", "账单"],
        ["pdf", "pdf", "pdf", "xlsx", "csv"]),
    "Travel": (
        ["Japan", "Rome", "Paris", "Berlin", "Lisbon", "Tromsø", "New York", "Bergen",
         "Iceland", "Thailand", "Barcelona", "London"],
        ["flight", "booking", "hotel", "itinerary", "boarding", "pass", "ticket", "visa",
         "rental", "car", "ferry", "museum", "tour", "map", "Airbnb", "SAS", "Norwegian",
         "旅行", "计划", "酒店"],
        ["pdf", "pdf", "docx", "jpg"]),
    "Work": (
        ["Projects", "Meetings", "Contracts", "Reports", "Clients", "Presentations",
         "Hiring", "Training"],
        ["meeting", "minutes", "agenda", "proposal", "contract", "quarterly", "review",
         "roadmap", "budget", "client", "Acme", "Globex", "Initech", "sprint", "retro",
         "onboarding", "invoice", "timesheet", "presentation", "strategy"],
        ["docx", "pdf", "pptx", "xlsx", "md"]),
    "Health": (
        ["Dentist", "Doctor", "Prescriptions", "Vaccinations", "Hospital", "Physio"],
        ["appointment", "prescription", "blood", "test", "results", "referral", "tannlege",
         "vaccination", "allergy", "journal", "resept", "physiotherapy", "x-ray"],
        ["pdf", "pdf", "jpg"]),
    "House": (
        ["Renovation", "Manuals", "Garden", "Insurance", "Utilities", "Furniture"],
        ["kitchen", "bathroom", "quote", "tiles", "manual", "Bosch", "Siemens", "IKEA",
         "warranty", "insurance", "policy", "Gjensidige", "electrician", "plumber",
         "garden", "lawnmower", "sofa", "paint"],
        ["pdf", "pdf", "jpg", "docx"]),
    "School": (
        ["Emma", "Jonas", "Homework", "Courses", "University", "Thesis"],
        ["schedule", "homework", "permission", "form", "field", "trip", "reading", "list",
         "essay", "lecture", "exam", "grades", "thesis", "chapter", "assignment", "math",
         "history", "biology"],
        ["pdf", "docx", "pptx", "txt"]),
    "Hobbies": (
        ["Recipes", "Knitting", "Cycling", "Photography", "Guitar", "Gardening"],
        ["recipe", "oppskrift", "lasagne", "pancakes", "bread", "soup", "pattern", "yarn",
         "route", "training", "plan", "chords", "tabs", "lens", "camera", "seeds"],
        ["txt", "pdf", "md", "jpg"]),
}
PICTURE_WORDS = (["Trips", "Family", "Friends", "Pets", "Wallpapers", "Events", "Nature"],
                 ["beach", "sunset", "birthday", "wedding", "mountain", "forest", "dog", "cat",
                  "Christmas", "summer", "winter", "party", "portrait", "lake", "city"],
                 ["jpg", "jpg", "png", "heic"])
MUSIC_WORDS = (["Albums", "Podcasts", "Playlists", "Live", "Audiobooks"],
               ["Aurora", "Kygo", "Sigrid", "live", "remix", "acoustic", "episode", "chapter",
                "interview", "demo", "session"],
               ["mp3", "mp3", "flac", "m4a"])
MOVIE_WORDS = (["Family", "Holidays", "Clips", "Lectures"],
               ["holiday", "concert", "birthday", "lecture", "clip", "trailer", "drone"],
               ["mp4", "mov", "mkv"])
DESKTOP_WORDS = (["Sorting", "Inbox", "Temp", "Shared"],
                 ["todo", "notes", "draft", "budget", "plan", "list", "ideas", "letter"],
                 ["txt", "docx", "pdf", "xlsx"])

# Where folders go: (root, depth, vocabulary, share of all folders).
ROOTS = ([("Documents", 3, TOPICS[t], 0.72 / len(TOPICS)) for t in TOPICS] +
         [("Pictures", 2, PICTURE_WORDS, 0.12), ("Music", 2, MUSIC_WORDS, 0.07),
          ("Movies", 2, MOVIE_WORDS, 0.04), ("Desktop", 2, DESKTOP_WORDS, 0.05)])
TOPIC_NAMES = list(TOPICS)


def folder_paths(rng, count):
    """`count` distinct home-relative folders, every parent counted, in creation order."""
    seen, paths = set(), []
    weights = [share for *_, share in ROOTS]
    while len(paths) < count:
        index = rng.choices(range(len(ROOTS)), weights)[0]
        root, depth, (levels, words, _), _ = ROOTS[index]
        parts = [root]
        if root == "Documents":
            parts.append(TOPIC_NAMES[index])
        else:
            parts.append(rng.choice(levels))
        subjects = [w[0].upper() + w[1:] for w in words]
        for level in range(rng.randint(0, depth - 1)):
            parts.append(rng.choice((levels if level == 0 else YEARS) + subjects))
        for end in range(2, len(parts) + 1):
            path = "/".join(parts[:end])
            if path not in seen and len(paths) < count:
                seen.add(path)
                paths.append((path, ROOTS[index][2]))
    return paths


def file_name(rng, vocabulary):
    _, words, exts = vocabulary
    picked = rng.sample(words, k=rng.randint(2, 4))
    if rng.random() < 0.5:
        picked.append(rng.choice(MONTHS))
    if rng.random() < 0.6:
        picked.append(rng.choice(YEARS))
    name = " ".join(picked)
    return (name[0].upper() + name[1:]) + "." + rng.choice(exts)


def waiting_name(rng, serial):
    roll = rng.random()
    if roll < 0.60:
        vocabulary = rng.choice([v for _, _, v, _ in ROOTS])
        return file_name(rng, vocabulary)
    if roll < 0.70:
        return f"Screenshot 2024-{serial % 12 + 1:02d}-{serial % 28 + 1:02d} at 10.{serial % 60:02d}.00.png"
    if roll < 0.80:
        return f"IMG_{1000 + serial}.JPG"
    if roll < 0.85:
        return f"{rng.choice(['Sketchpad', 'Zoom', 'Firefox', 'Slack'])} {serial}.{rng.choice(['dmg', 'pkg', 'exe'])}"
    if roll < 0.90:
        return f"download-{serial}.{rng.choice(['zip', 'crdownload', 'torrent', 'ics'])}"
    letters = "bcdfghjklmnpqrstvwxz"
    return "".join(rng.choice(letters) for _ in range(rng.randint(4, 9))) + ".bin"


def touch(path):
    with open(path, "wb"):
        pass


def unique(name, taken):
    stem, dot, ext = name.rpartition(".")
    candidate, n = name, 2
    while candidate in taken:
        candidate = f"{stem} {n}{dot}{ext}"
        n += 1
    taken.add(candidate)
    return candidate


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--waiting", type=int, default=2000, help="files in Downloads")
    parser.add_argument("--folders", type=int, default=1000, help="folders to create")
    parser.add_argument("--files-per-folder", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("out", help="new or empty folder for the home")
    args = parser.parse_args()

    if os.path.exists(args.out) and (not os.path.isdir(args.out) or os.listdir(args.out)):
        sys.exit(f"{args.out} exists and is not an empty folder")
    rng = random.Random(args.seed)

    for path, vocabulary in folder_paths(rng, args.folders):
        folder = os.path.join(args.out, path)
        os.makedirs(folder, exist_ok=True)
        taken = set()
        for _ in range(args.files_per_folder):
            touch(os.path.join(folder, unique(file_name(rng, vocabulary), taken)))

    downloads = os.path.join(args.out, "Downloads")
    os.makedirs(downloads, exist_ok=True)
    taken, firsts = set(), []
    for serial in range(args.waiting):
        if serial % 20 == 19 and firsts:
            # A second download of an earlier file.
            stem, _, ext = rng.choice(firsts).rpartition(".")
            name = unique(f"{stem} (1).{ext}", taken)
        else:
            name = unique(waiting_name(rng, serial), taken)
            firsts.append(name)
        touch(os.path.join(downloads, name))
    print(f"{args.out}: {args.folders} folders x {args.files_per_folder} files, "
          f"{args.waiting} waiting in Downloads")


if __name__ == "__main__":
    main()
