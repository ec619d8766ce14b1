#!/usr/bin/python3
"""Derives the engine's stand-ins for the Chinese fonts a thesis names.

Word lays a single line of 宋体, 黑体, 楷体 or 仿宋 out at about 1.3 em; the
free fonts Debian ships for them give 1.0 to 1.26 em, so pages hold more
lines than Word's. Each stand-in is a copy of a Debian font with vertical
metrics of 1.29 em in all (ascent 1.004, descent 0.286, no line gap, the
same in hhea and in both OS/2 sets; 1.30 and more would make 12 pt lines
round up to two lines of a document grid), renamed as a family of our own
so that it never stands in for the original. Each font's licence is copied
beside it.

    derive-thesis-fonts.py OUTPUT_DIR
"""
import shutil
import sys
from pathlib import Path

from fontTools.ttLib import TTCollection, TTFont

ASCENT = 1.004
DESCENT = 0.286

# (source file, family to take from it, new family, file name, licence)
STAND_INS = [
    ("/usr/share/fonts/truetype/arphic/uming.ttc", "AR PL UMing CN", "Quillmark Song", "QuillmarkSong.ttf",
     "/usr/share/doc/fonts-arphic-uming/copyright"),
    ("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", "WenQuanYi Zen Hei", "Quillmark Hei", "QuillmarkHei.ttf",
     "/usr/share/doc/fonts-wqy-zenhei/copyright"),
    ("/usr/share/fonts/truetype/arphic/ukai.ttc", "AR PL UKai CN", "Quillmark Kai", "QuillmarkKai.ttf",
     "/usr/share/doc/fonts-arphic-ukai/copyright"),
    ("/usr/share/fonts/truetype/cwtex/cwfs.ttf", "cwTeXFangSong", "Quillmark FangSong", "QuillmarkFangSong.ttf",
     "/usr/share/doc/fonts-cwtex-fs/copyright"),
]


def family_of(font):
    name = font["name"]
    record = name.getName(1, 3, 1, 0x409) or name.getName(1, 1, 0, 0)
    return str(record) if record else ""


def open_family(path, family):
    if path.endswith(".ttc"):
        for font in TTCollection(path).fonts:
            if family_of(font) == family:
                return font
        raise SystemExit(f"{path} holds no {family}")
    return TTFont(path)


def set_metrics(font):
    units = font["head"].unitsPerEm
    ascent, descent = round(ASCENT * units), round(DESCENT * units)
    hhea = font["hhea"]
    hhea.ascent, hhea.descent, hhea.lineGap = ascent, -descent, 0
    os2 = font["OS/2"]
    os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap = ascent, -descent, 0
    os2.usWinAscent, os2.usWinDescent = ascent, descent


def rename(font, family):
    name = font["name"]
    postscript = family.replace(" ", "") + "-Regular"
    name.names = [n for n in name.names if n.nameID not in (1, 2, 3, 4, 6, 16, 17, 18, 21, 22)]
    for name_id, value in ((1, family), (2, "Regular"), (3, postscript), (4, family), (6, postscript)):
        name.setName(value, name_id, 3, 1, 0x409)
        name.setName(value, name_id, 1, 0, 0)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for source, family, new_family, file_name, licence in STAND_INS:
        font = open_family(source, family)
        set_metrics(font)
        rename(font, new_family)
        font.save(out / file_name)
        if Path(licence).exists():
            shutil.copyfile(licence, out / (Path(file_name).stem + ".copyright"))
        print(f"{new_family}: {file_name} from {family}")


if __name__ == "__main__":
    main()
