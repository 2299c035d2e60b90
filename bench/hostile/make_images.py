#!/usr/bin/env python3
"""Writes style folders with hostile images and huge controls, for the bounds of
the image cache and the painting operations.

    bench/hostile/make_images.py DIR
    tavq-render --folder DIR/tiles huge-tile.json out.png       # 1e6 x 1e6 tiled 1-px centre
    tavq-render --folder DIR/badcrc huge-png.json out.png       # 20000^2 PNG, bad last IDAT CRC, 3 names
    tavq-render --package DIR/badcrc.data huge-png.json out.png # the same from a package, 3 spellings
    tavq-render --folder DIR/bomb bomb.json out.png             # tiny JPEG claiming 30000 x 30000
    tavq-render --folder DIR/vertical huge-edit.json out.png    # vertical tip on a 1e6 x 1e6 edit
    tavq-render --folder DIR/vertical big-edit.json out.png     # the same on a 16000 x 16000 edit

Run each under /usr/bin/time -v for wall time and peak memory.
"""
import json
import os
import struct
import sys
import zipfile
import zlib

WINDOW = {"w": 800, "h": 600}


def write_json(folder, name, document):
    with open(os.path.join(folder, name), "w", encoding="utf-8") as out:
        json.dump(document, out)


def page(*elements):
    return dict(WINDOW, elements=list(elements))


def chunk(kind, data, crc_delta=0):
    crc = (zlib.crc32(kind + data) + crc_delta) & 0xFFFFFFFF
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)


def png(width, height, rows, bad_last_crc=False, idat_size=1 << 20):
    """An 8-bit RGBA PNG of `rows` (callable giving row y without filter byte)."""
    packer = zlib.compressobj(6)
    parts = []
    for y in range(height):
        parts.append(packer.compress(b"\0" + rows(y)))
    parts.append(packer.flush())
    stream = b"".join(parts)
    out = [b"\x89PNG\r\n\x1a\n", chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))]
    pieces = [stream[i:i + idat_size] for i in range(0, len(stream), idat_size)]
    for i, piece in enumerate(pieces):
        last = i == len(pieces) - 1
        out.append(chunk(b"IDAT", piece, 1 if last and bad_last_crc else 0))
    out.append(chunk(b"IEND", b""))
    return b"".join(out)


def marker(code, payload):
    return b"\xff" + bytes([code]) + struct.pack(">H", len(payload) + 2) + payload


def jpeg_claiming(width, height):
    """A baseline three-component JPEG holding one grey 8 x 8 block, its frame
    header claiming width x height: the rest decodes as grey."""
    quant = marker(0xDB, b"\x00" + b"\x01" * 64)
    frame = marker(0xC0, struct.pack(">BHHB", 8, height, width, 3) + b"\x01\x11\x00\x02\x11\x00\x03\x11\x00")
    # One 1-bit code per table: DC category 0, AC end of block.
    one_code = b"\x01" + b"\x00" * 15 + b"\x00"
    tables = marker(0xC4, b"\x00" + one_code + b"\x10" + one_code)
    scan = marker(0xDA, b"\x03\x01\x00\x02\x00\x03\x00\x00\x3f\x00")
    # Three blocks of "DC 0, EOB" (two zero bits each), padded with ones.
    return b"\xff\xd8" + quant + frame + tables + scan + b"\x03" + b"\xff\xd9"


def tiles(folder):
    os.makedirs(os.path.join(folder, "images"), exist_ok=True)
    # 3 x 3: a 1-pixel centre inside 1-pixel slices.
    colours = [b"\xff\x00\x00\xff", b"\x00\xff\x00\xff", b"\x00\x00\xff\xff"]
    with open(os.path.join(folder, "images", "tile.png"), "wb") as out:
        out.write(png(3, 3, lambda y: colours[y] * 3))
    write_json(folder, "style.json", {"style": [
        {"type": 1, "name": "hostile.tile", "img": "images/tile.png", "margin": [1, 1, 1, 1],
         "repeatCenter": True}]})
    write_json(folder, "huge-tile.json", page(
        {"type": "qtcontainer", "name": "huge", "x": 0, "y": 0, "w": 1000000, "h": 1000000,
         "style": [["hostile.tile", 0, 0]]}))


def picture(name, x, path):
    return {"type": "qtpicture", "name": name, "x": x, "y": 0, "w": 260, "h": 260, "attr": {"path": path}}


def badcrc(folder, package):
    os.makedirs(os.path.join(folder, "images"), exist_ok=True)
    row = b"\x40\x80\xc0\xff" * 20000
    image = png(20000, 20000, lambda y: row, bad_last_crc=True)
    with open(os.path.join(folder, "images", "huge.png"), "wb") as out:
        out.write(image)
    style = {"style": [{"type": 1, "name": "plain", "drawImg": False, "clr": "ffffffff"}]}
    write_json(folder, "style.json", style)
    # On disk: found under images/, named there, and with a doubled separator.
    on_disk = page(picture("a", 0, "huge.png"), picture("b", 270, "images/huge.png"),
                   picture("c", 540, "images//huge.png"))
    write_json(folder, "huge-png.json", on_disk)
    # In a package: three spellings of one entry.
    in_package = page(picture("a", 0, "images/huge.png"), picture("b", 270, "IMAGES/HUGE.PNG"),
                      picture("c", 540, "images\\huge.png"))
    with zipfile.ZipFile(package, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("style.json", json.dumps(style))
        archive.writestr("huge-png.json", json.dumps(in_package))
        archive.writestr("images/huge.png", image)


def bomb(folder):
    os.makedirs(os.path.join(folder, "images"), exist_ok=True)
    with open(os.path.join(folder, "images", "bomb.jpg"), "wb") as out:
        out.write(jpeg_claiming(30000, 30000))
    write_json(folder, "style.json", {"style": []})
    write_json(folder, "bomb.json", page(picture("bomb", 0, "bomb.jpg")))


def vertical(folder):
    os.makedirs(folder, exist_ok=True)
    write_json(folder, "style.json", {"style": [
        {"type": 1, "name": "hostile.edit", "drawImg": False, "clr": "fff0f0f0"},
        # Read downwards from the top-left corner of the edit.
        {"type": 2, "name": "hostile.vertical", "size": 24, "clr": "202020", "isHor": False,
         "hor": 0, "ver": 2}]})
    for name, extent in (("huge-edit.json", 1000000), ("big-edit.json", 16000)):
        write_json(folder, name, page(
            {"type": "qtdedit", "name": "edit", "x": 0, "y": 0, "w": extent, "h": extent,
             "style": [["hostile.edit", 0, 0], ["hostile.vertical", 0, 8]],
             "attr": {"tip": "Vertical tip text"}}))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = sys.argv[1]
    tiles(os.path.join(root, "tiles"))
    badcrc(os.path.join(root, "badcrc"), os.path.join(root, "badcrc.data"))
    bomb(os.path.join(root, "bomb"))
    vertical(os.path.join(root, "vertical"))


if __name__ == "__main__":
    main()
