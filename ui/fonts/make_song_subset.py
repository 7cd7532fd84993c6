#!/usr/bin/python3
"""Makes the window's own Song face: a subset of a Song face from a Debian
package that holds the glyphs of every character of the window's texts and
of the printable ASCII characters, under a family name of its own.

The texts are read from the source files that hold them, which
window_texts.list names (the form, the control table, the messages): every
character of those files that is not ASCII is kept, so a new caption is
covered as soon as it is written. The same sources and font give the same
bytes: no time stamp is written.

Usage: make_song_subset.py FOLDER
Writes FOLDER/morvane-song.otf and its license, FOLDER/morvane-song-license.txt.
Needs python3-fonttools and fonts-noto-cjk.
"""
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection, TTFont

# The subset's family: distinct from every installed face, so the system's
# own Noto Serif CJK SC is never hidden behind it, and free of the original
# names that the font license reserves.
SUBSET_FAMILY = "Morvane Song"
# Noto Serif CJK SC (SIL Open Font License), from fonts-noto-cjk.
SOURCE_FONT = "/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc"
SOURCE_FAMILY = "Noto Serif CJK SC"
HERE = os.path.dirname(os.path.abspath(__file__))
REPOSITORY = os.path.dirname(os.path.dirname(HERE))
# Copyright, family, style, unique name, full name, version, PostScript name,
# license description and license address.
KEPT_NAME_IDS = [0, 1, 2, 3, 4, 5, 6, 13, 14]


def face_index(path, family):
    """The index in the collection at path of the face whose family is family."""
    if not path.endswith((".ttc", ".otc")):
        return 0
    for index, font in enumerate(TTCollection(path, lazy=True).fonts):
        if font["name"].getDebugName(1) == family:
            return index
    sys.exit(f"{path} holds no face of the family {family}")


def covered_text(sources):
    characters = {chr(code) for code in range(0x20, 0x7F)}
    for source in sources:
        with open(source, encoding="utf-8") as file:
            characters.update(c for c in file.read() if ord(c) > 0x7F and c.isprintable())
    return "".join(sorted(characters))


def rename(font):
    names = font["name"]
    style = names.getDebugName(2) or "Regular"
    # Only the Windows and Unicode English names remain after subsetting.
    for record in list(names.names):
        if record.nameID in (1, 3, 4, 6, 16, 17):
            names.removeNames(nameID=record.nameID)
    for name_id, text in ((1, SUBSET_FAMILY), (3, f"{SUBSET_FAMILY} {style}"),
                          (4, SUBSET_FAMILY if style == "Regular" else f"{SUBSET_FAMILY} {style}"),
                          (6, f"{SUBSET_FAMILY.replace(' ', '')}-{style}")):
        names.setName(text, name_id, 3, 1, 0x409)
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [f"{SUBSET_FAMILY.replace(' ', '')}-{style}"]
        top = cff.topDictIndex[0]
        for key in ("FullName", "FamilyName"):
            if hasattr(top, key):
                setattr(top, key, SUBSET_FAMILY)


def text_sources():
    with open(os.path.join(HERE, "window_texts.list"), encoding="utf-8") as file:
        return [os.path.join(REPOSITORY, line.strip()) for line in file
                if line.strip() and not line.startswith("#")]


def main(folder):
    if not os.path.exists(SOURCE_FONT):
        sys.exit(f"{SOURCE_FONT} is missing: install fonts-noto-cjk (scripts/deps.sh build)")
    font = TTFont(SOURCE_FONT, fontNumber=face_index(SOURCE_FONT, SOURCE_FAMILY),
                  recalcTimestamp=False)
    # Windows maps a font to a character set by these ranges: the subset keeps
    # the original's, GB 2312 among them, whatever it holds.
    os2 = font["OS/2"]
    code_pages = (os2.ulCodePageRange1, os2.ulCodePageRange2)

    options = subset.Options()
    options.name_IDs = KEPT_NAME_IDS
    options.notdef_outline = True
    options.recalc_timestamp = False
    # The window writes horizontally only.
    options.layout_features = ["ccmp", "kern", "liga", "locl", "mark", "mkmk"]
    options.drop_tables += ["VORG", "vhea", "vmtx"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=covered_text(text_sources()))
    subsetter.subset(font)
    os2.ulCodePageRange1, os2.ulCodePageRange2 = code_pages
    rename(font)
    os.makedirs(folder, exist_ok=True)
    font.save(os.path.join(folder, "morvane-song.otf"), reorderTables=True)

    notice = font["name"].getDebugName(0)
    with open(os.path.join(HERE, "OFL-1.1.txt"), encoding="utf-8") as file:
        body = file.read()
    with open(os.path.join(folder, "morvane-song-license.txt"), "w", encoding="utf-8") as file:
        file.write(f"{SUBSET_FAMILY}: a subset of {SOURCE_FAMILY}.\n{notice}\n\n{body}")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
