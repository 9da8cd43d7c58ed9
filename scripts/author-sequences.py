#!/usr/bin/env python3
"""Writes the stored sequences, sequences/<Name>.json, in the form `lumatoy convert` reads.

Every sequence starts from the values of a new scene (scripts/sequence-defaults.json, the
converted default sequence) and is written here as a few overrides:

  header  the switches, styles, paths and the text string (not keyed);
  start   key values at frame 0 that differ from the defaults;
  keys    (frame, changes) pairs; each key starts from the values of the key before it, so
          a key lists only what moves from there on.

The timeline ends at the last key's frame; at the export's 30 frames per second a key at
frame 300 ends a 10 s sequence.

Usage: scripts/author-sequences.py [--out DIR] [--defaults FILE] [--refresh-defaults LUMATOY]
  --refresh-defaults converts tests/fuzz/corpus/readSequence/default.lmt with the given
  lumatoy binary into the defaults file first (run it after the file format changes).
"""

import argparse
import copy
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
FPS = 30

# ---------------------------------------------------------------------------------------------
# Layer switches as the control pages leave them when they open: each page switches its layer
# on; the layers without a page (fire) are switched on by the file alone.

ALL_OFF = {
    "text.on": 0, "stars.on": 0, "particles.on": 0, "fire.on": 0, "tunnel.on": 0,
    "tiles.on": 0, "pictures.on": 0, "model1.on": 0, "model2.on": 0, "model3.on": 0,
    "blur.radial.on": 0,
}

LAYERS = {
    "text": {"text.on": 2, "text.textureSource": 0, "text.texturePath": "Textures/Gold.jpg"},
    "stars": {"stars.on": 2, "stars.texturePath": "Particles/Star.bmp"},
    "particles": {"particles.on": 2},
    "fire": {"fire.on": 2, "fire.texturePath": "Particles/Fire.bmp"},
    "tunnel": {"tunnel.on": 2, "tunnel.texturePath": "Textures/pollav.jpg",
               "tunnel.colour.r": 1, "tunnel.colour.g": 1, "tunnel.colour.b": 1},
    "tile1": {"tiles.on": 2, "tile1.hidden": 0, "tile1.texturePath": "Textures/Gold.jpg"},
    "tile2": {"tiles.on": 2, "tile2.hidden": 0, "tile2.texturePath": "Textures/pollav.jpg"},
    "picture1": {"pictures.on": 2, "pictures.path1": "Images/sleeping-dog.jpg"},
    "picture2": {"pictures.on": 2, "pictures.path2": "Images/video-girl.jpg"},
    # A model draws once its file is loaded: "loaded" asks the reader to load the 3DS file.
    "model1": {"model1.on": 2, "model1.loaded": 2, "model1.path": "model/Tardis.3ds",
               "model1.texturePath": "Textures/TardisImages3.jpg"},
    "model2": {"model2.on": 2, "model2.loaded": 2, "model2.path": "model/Tardis.3ds",
               "model2.texturePath": "Textures/TardisImages3.jpg"},
    "model3": {"model3.on": 2, "model3.loaded": 2, "model3.path": "model/Tardis.3ds",
               "model3.texturePath": "Textures/TardisImages3.jpg"},
    "radial blur": {"blur.radial.on": 2},
}


def layers(*names, **extra):
    """Header overrides that switch on exactly the named layers (tiles 1 and 2 separately:
    a tile that is not named is hidden), plus any further header items given as
    keyword arguments with dots written as double underscores."""
    header = dict(ALL_OFF)
    header["tile1.hidden"] = 2
    header["tile2.hidden"] = 2
    for name in names:
        header.update(LAYERS[name])
    for key, value in extra.items():
        header[key.replace("__", ".")] = value
    return header


def v(**values):
    """Key values written as keyword arguments, dots as double underscores:
    v(stars__zoom=-20) is {"stars.zoom": -20}."""
    return {key.replace("__", "."): value for key, value in values.items()}


def blur_of(*names):
    """The "Apply Blur to:" switches: which layers the radial blur redraws."""
    header = {}
    for layer in ("text", "stars", "particles", "fire", "model"):
        header["blur.apply." + layer] = 2 if layer in names else 0
    return header


class Sequence:
    def __init__(self, name, header, start, keys):
        self.name = name
        self.header = header
        self.start = start
        self.keys = keys


# ---------------------------------------------------------------------------------------------
# The library.

SEQUENCES = []


def sequence(name, header, start, keys):
    SEQUENCES.append(Sequence(name, header, start, keys))



# Star Tunnel: the tunnel scrolls and twists while a disc of stars turns inside it.
sequence(
    "Star Tunnel",
    layers("tunnel", "stars", "text", text__string="STAR TUNNEL"),
    v(tunnel__fogEnd=260, stars__zoom=-60, stars__direction=300, stars__alphaFade=110,
      text__scale__x=22, text__scale__y=22),
    [(90, v(tunnel__speed=240, tunnel__twist=60, stars__spin=180, stars__rotate__z=90,
            stars__zoom=-40, text__rotate__x=-20)),
     (180, v(tunnel__speed=480, tunnel__twist=-60, stars__spin=360, stars__rotate__z=180,
             stars__zoom=-35, text__rotate__x=20, text__pan__z=-120)),
     (300, v(tunnel__speed=800, tunnel__twist=0, stars__spin=720, stars__rotate__z=360,
             stars__zoom=-60, text__rotate__x=0, text__pan__z=0))],
)

# Golden Fire: the gold words sway above a tall flame with a few sparks around it.
sequence(
    "Golden Fire",
    layers("fire", "text", "particles", text__string="GOLDEN FIRE", particles__count=120),
    v(text__scale__x=24, text__scale__y=24, text__pan__y=45, text__rotate__x=-60,
      fire__gravity__y=80, particles__scale__x=30, particles__scale__y=30,
      particles__scale__z=30, particles__position__y=-6,
      particles__colour__r=200, particles__colour__g=110, particles__colour__b=20),
    [(60, v(text__rotate__x=-20, fire__tilt=10)),
     (150, v(text__rotate__x=15, text__rotate__y=20, fire__tilt=-10, fire__gravity__y=60)),
     (240, v(text__rotate__x=0, text__rotate__y=-20, fire__tilt=0, fire__gravity__y=80,
             particles__colour__g=60))],
)

# Police Box: the blue box spins and tumbles towards the viewer through a field of stars.
sequence(
    "Police Box",
    layers("model1", "stars"),
    v(model1__position__z=-60, stars__direction=200, stars__zoom=-50),
    [(90, v(model1__rotate__y=180, model1__rotate__x=20, model1__position__z=-30,
            stars__rotate__z=120)),
     (180, v(model1__rotate__y=360, model1__rotate__x=-20, model1__position__z=-18,
             stars__rotate__z=240)),
     (270, v(model1__rotate__y=540, model1__rotate__x=0, model1__position__z=-40,
             stars__rotate__z=360))],
)

# Three Boxes: three police boxes side by side, each turning its own way, in different lights.
sequence(
    "Three Boxes",
    layers("model1", "model2", "model3", "tunnel"),
    v(model1__position__z=-30, model2__position__x=10, model2__position__z=-30,
      model3__position__x=-10, model3__position__z=-30, model2__colour__g=120,
      model2__colour__b=120, model3__colour__r=120, model3__colour__g=180,
      tunnel__fogEnd=200),
    [(100, v(model1__rotate__y=120, model2__rotate__y=-120, model3__rotate__x=90,
             model1__position__y=4, model2__position__y=-4, model3__position__y=-4,
             tunnel__speed=200)),
     (200, v(model1__rotate__y=240, model2__rotate__y=-240, model3__rotate__x=180,
             model1__position__y=-4, model2__position__y=4, model3__position__y=4,
             tunnel__speed=400)),
     (300, v(model1__rotate__y=360, model2__rotate__y=-360, model3__rotate__x=360,
             model1__position__y=0, model2__position__y=0, model3__position__y=0,
             tunnel__speed=600))],
)

# Dream Flag: the sleeping dog waves like a flag and dreams itself into the second picture.
sequence(
    "Dream Flag",
    layers("picture1", "picture2", "particles", particles__count=300),
    v(pictures__pan__z=-600, pictures__wavy=600, particles__position__x=9,
      particles__position__y=6, particles__scale__x=5, particles__scale__y=5,
      particles__scale__z=5, particles__colour__r=60, particles__colour__g=60,
      particles__colour__b=160),
    [(90, v(pictures__flagWave=180, pictures__rotate__y=-20, pictures__fade=0)),
     (180, v(pictures__flagWave=360, pictures__rotate__y=20, pictures__fade=255)),
     (270, v(pictures__flagWave=540, pictures__rotate__y=0, pictures__fade=255,
             pictures__wavy=1200))],
)

# Picture Swap: the two pictures part in depth, turn and change places.
sequence(
    "Picture Swap",
    layers("picture1", "picture2", "text", text__string="SWAP"),
    v(pictures__scale__x=35, pictures__scale__y=35, text__pan__y=-55, text__scale__x=30,
      text__scale__y=30),
    [(60, v(pictures__separation=150, pictures__rotate__y=30, text__rotate__y=40)),
     (150, v(pictures__separation=150, pictures__rotate__y=-30, pictures__fade=255,
             text__rotate__y=-40)),
     (210, v(pictures__separation=0, pictures__rotate__y=0, pictures__fade=255,
             text__rotate__y=0))],
)

# Tile Dance: two patterned squares spin against each other, their textures rolling.
sequence(
    "Tile Dance",
    layers("tile1", "tile2", "stars", tile1__opaque=2, tile2__opaque=0),
    v(tile1__position__z=-150, tile2__position__z=-260, stars__direction=300,
      stars__zoom=-80, stars__alphaFade=120),
    [(90, v(tile1__rotate__z=90, tile2__rotate__z=-90, tile2__rotate__x=30,
            tile1__roll__x=100, tile2__roll__y=100, stars__rotate__z=-90)),
     (180, v(tile1__rotate__z=180, tile2__rotate__z=-180, tile2__rotate__x=-30,
             tile1__roll__x=200, tile2__roll__y=200, stars__rotate__z=-180)),
     (270, v(tile1__rotate__z=270, tile2__rotate__z=-270, tile2__rotate__x=0,
             tile1__roll__x=300, tile2__roll__y=300, stars__rotate__z=-270))],
)

# Sparkle Cloud: a wide cloud of sparks turns and changes colour under a radial glow.
sequence(
    "Sparkle Cloud",
    dict(layers("particles", "radial blur", "text", text__string="SPARKLE"),
         **blur_of("particles")),
    v(particles__scale__x=30, particles__scale__y=20, particles__position__y=-3,
      text__scale__x=30, text__scale__y=30, text__pan__y=50, blur__radial__density=10),
    [(90, v(particles__colour__r=255, particles__colour__g=60, particles__colour__b=60,
            particles__rotate__y=90)),
     (180, v(particles__colour__r=60, particles__colour__g=255, particles__colour__b=120,
             particles__rotate__y=180, blur__radial__separation=3)),
     (270, v(particles__colour__r=80, particles__colour__g=120, particles__colour__b=255,
             particles__rotate__y=270, blur__radial__separation=0))],
)

# Radial Glow: the text rays out under the radial blur in front of a slowly turning star disc.
sequence(
    "Radial Glow",
    dict(layers("text", "radial blur", "stars", text__string="RADIAL GLOW"),
         **blur_of("text")),
    v(text__scale__x=26, text__scale__y=26, stars__direction=250, stars__zoom=-55,
      blur__radial__colour__r=60, blur__radial__colour__g=30, blur__radial__colour__b=0),
    [(90, v(text__rotate__y=30, blur__radial__separation=2, stars__rotate__z=60)),
     (180, v(text__rotate__y=-30, blur__radial__separation=4, stars__rotate__z=120,
             blur__radial__colour__g=0, blur__radial__colour__b=60)),
     (270, v(text__rotate__y=0, blur__radial__separation=0, stars__rotate__z=180,
             blur__radial__colour__g=30, blur__radial__colour__b=0))],
)

# Spiral Galaxy: the star spiral winds up and unwinds while blurred rays stream from it.
sequence(
    "Spiral Galaxy",
    dict(layers("stars", "radial blur", "particles", particles__count=200),
         **blur_of("stars")),
    v(stars__zoom=-45, stars__direction=40, particles__scale__x=30, particles__scale__y=30,
      particles__scale__z=30, particles__colour__r=60, particles__colour__g=60),
    [(120, v(stars__direction=90, stars__rotate__z=180, stars__spin=180)),
     (240, v(stars__direction=160, stars__rotate__z=360, stars__spin=360, stars__zoom=-30)),
     (360, v(stars__direction=40, stars__rotate__z=540, stars__spin=540, stars__zoom=-45))],
)

# Campfire Night: a fire under a sky of stars, sparks drifting up.
sequence(
    "Campfire Night",
    layers("fire", "stars", "particles", particles__count=60),
    v(stars__direction=137, stars__zoom=-70, stars__pan__y=30, stars__alphaFade=150,
      particles__gravity__upDown=30, particles__scale__x=30, particles__scale__y=12,
      particles__position__y=-8,
      particles__colour__r=255, particles__colour__g=120, particles__colour__b=30),
    [(90, v(fire__tilt=8, stars__rotate__z=30, fire__gravity__y=50)),
     (180, v(fire__tilt=-8, stars__rotate__z=60, fire__gravity__y=35)),
     (300, v(fire__tilt=0, stars__rotate__z=90, fire__gravity__y=30))],
)

# Warp Speed: the police box races down the tunnel with its own radial blur trailing behind.
sequence(
    "Warp Speed",
    layers("tunnel", "model1", model1__radialBlur=2, model1__blurPassRequest=2),
    v(tunnel__fogEnd=200, model1__position__z=-30, model1__blur__density=20),
    [(60, v(tunnel__speed=400, model1__rotate__z=20, model1__rotate__y=90)),
     (120, v(tunnel__speed=800, model1__rotate__z=-20, model1__rotate__y=180,
             model1__blur__separation=3)),
     (180, v(tunnel__speed=1200, model1__rotate__z=0, model1__rotate__y=360,
             model1__blur__separation=0))],
)

# Neon Tiles: two glowing squares fly through the tunnel.
sequence(
    "Neon Tiles",
    layers("tunnel", "tile1", "tile2"),
    v(tunnel__rotate=100, tile1__position__z=-250, tile2__position__z=-250,
      tile1__position__x=-30, tile2__position__x=30),
    [(90, v(tunnel__twist=90, tunnel__speed=200, tile1__rotate__y=90, tile2__rotate__y=-90,
            tile1__position__z=-150, tile2__position__z=-350)),
     (180, v(tunnel__twist=-90, tunnel__speed=400, tile1__rotate__y=180, tile2__rotate__y=-180,
             tile1__position__z=-350, tile2__position__z=-150)),
     (270, v(tunnel__twist=0, tunnel__speed=600, tile1__rotate__y=360, tile2__rotate__y=-360,
             tile1__position__z=-250, tile2__position__z=-250))],
)

# Twisted Text: the letters twist apart and back together in front of the tunnel.
sequence(
    "Twisted Text",
    layers("text", "tunnel", text__string="TWIST"),
    v(text__scale__x=40, text__scale__y=40, tunnel__fogEnd=150),
    [(75, v(text__twist__y=900, text__charSpacing__x=150, tunnel__speed=150)),
     (150, v(text__twist__y=360, text__twist__x=200, text__charSpacing__x=0,
             tunnel__speed=300)),
     (240, v(text__twist__y=0, text__twist__x=0, tunnel__speed=450))],
)

# Fire Ring: the fire's copies wind round into a spinning ring around the text.
sequence(
    "Fire Ring",
    layers("fire", "text", text__string="FIRE RING"),
    # Fewer copies (a lower number) need a lower life to keep the fire's time step at 15.
    v(fire__number=180, fire__life=-166, fire__spiral=150, fire__spacing=-30,
      text__scale__x=24, text__scale__y=24, text__pan__y=-55),
    [(90, v(fire__spiral=190, fire__spacing=-40, text__rotate__y=20)),
     (180, v(fire__spiral=120, fire__spacing=-25, text__rotate__y=-20)),
     (270, v(fire__spiral=150, fire__spacing=-30, text__rotate__y=0))],
)

# Cosmic Party: the two pictures float in a star field and swing round each other.
sequence(
    "Cosmic Party",
    layers("picture1", "picture2", "stars", "text", text__string="PARTY"),
    v(pictures__scale__x=30, pictures__scale__y=30, pictures__fade=128,
      pictures__separation=100, stars__direction=300, stars__zoom=-70, stars__alphaFade=170,
      text__pan__y=-55,
      text__scale__x=30, text__scale__y=30),
    [(100, v(pictures__rotate__y=60, pictures__flagWave=200, stars__rotate__z=120,
             pictures__pan__z=-800)),
     (200, v(pictures__rotate__y=-60, pictures__flagWave=400, stars__rotate__z=240)),
     (300, v(pictures__rotate__y=0, pictures__flagWave=600, stars__rotate__z=360,
             pictures__pan__z=0))],
)

# Everything at Once: all nine layers and the radial blur together.
sequence(
    "Everything at Once",
    dict(layers("text", "stars", "particles", "fire", "tunnel", "tile1", "tile2", "picture1",
                "picture2", "model1", "model2", "model3", "radial blur",
                text__string="EVERYTHING", particles__count=200),
         **blur_of("text")),
    v(text__scale__x=22, text__scale__y=22, text__pan__y=55, tunnel__fogEnd=180,
      pictures__scale__x=14, pictures__scale__y=14, pictures__pan__y=150,
      model1__position__y=-3, model1__position__z=-30, model2__position__y=-3,
      model2__position__z=-30, model3__position__y=-3, model3__position__z=-30,
      model2__position__x=12, model3__position__x=-12, stars__direction=300,
      stars__zoom=-90, stars__alphaFade=100, stars__pan__y=10,
      particles__scale__x=30, particles__scale__y=10, particles__position__y=8,
      tile1__position__x=-90, tile1__position__y=50, tile1__position__z=-300,
      tile2__position__x=90, tile2__position__y=50, tile2__position__z=-300),
    [(100, v(tunnel__speed=300, model1__rotate__y=120, model2__rotate__y=-120,
             model3__rotate__y=120, stars__rotate__z=120, tile1__rotate__z=60,
             tile2__rotate__z=-60, pictures__flagWave=240, text__rotate__x=20)),
     (200, v(tunnel__speed=600, model1__rotate__y=240, model2__rotate__y=-240,
             model3__rotate__y=240, stars__rotate__z=240, tile1__rotate__z=120,
             tile2__rotate__z=-120, pictures__flagWave=480, pictures__fade=255,
             text__rotate__x=-20)),
     (300, v(tunnel__speed=900, model1__rotate__y=360, model2__rotate__y=-360,
             model3__rotate__y=360, stars__rotate__z=360, tile1__rotate__z=180,
             tile2__rotate__z=-180, pictures__flagWave=720, text__rotate__x=0))],
)

# ---------------------------------------------------------------------------------------------
# Writing.


def load_defaults(path):
    with open(path, encoding="utf-8") as f:
        defaults = json.load(f)
    if defaults.get("keys"):
        raise SystemExit(f"{path}: the defaults hold keys; expected a sequence without keys")
    return defaults


def refresh_defaults(lumatoy, path):
    env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    source = os.path.join(ROOT, "tests", "fuzz", "corpus", "readSequence", "default.lmt")
    subprocess.run([lumatoy, "convert", source, path], check=True, env=env)


def check_names(where, names, known):
    unknown = sorted(set(names) - set(known))
    if unknown:
        raise SystemExit(f"{where}: unknown item(s): {', '.join(unknown)}")


def build(seq, defaults):
    doc = copy.deepcopy(defaults)
    check_names(seq.name + " header", seq.header, defaults["header"])
    check_names(seq.name + " start", seq.start, defaults["startValues"])
    doc["header"].update(seq.header)
    doc["startValues"].update(seq.start)
    values = dict(doc["startValues"])
    keys = []
    last_frame = 0
    for frame, changes in seq.keys:
        check_names(f"{seq.name} key at {frame}", changes, defaults["startValues"])
        if not last_frame < frame <= 9999:
            raise SystemExit(f"{seq.name}: key frame {frame} is not after {last_frame}")
        values.update(changes)
        keys.append({"frame": frame, "values": dict(values)})
        last_frame = frame
    doc["keys"] = keys
    seconds = last_frame / FPS
    if not 5 <= seconds <= 20:
        raise SystemExit(f"{seq.name}: lasts {seconds:.1f} s, outside 5 to 20 s")
    if len(keys) < 3:
        raise SystemExit(f"{seq.name}: needs at least three keys")
    return doc


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "sequences"))
    parser.add_argument("--defaults", default=os.path.join(HERE, "sequence-defaults.json"))
    parser.add_argument("--refresh-defaults", metavar="LUMATOY")
    parser.add_argument("--only", help="write only the sequence of this name")
    args = parser.parse_args()
    if args.refresh_defaults:
        refresh_defaults(args.refresh_defaults, args.defaults)
    defaults = load_defaults(args.defaults)
    os.makedirs(args.out, exist_ok=True)
    names = set()
    for seq in SEQUENCES:
        if seq.name in names:
            raise SystemExit(f"two sequences are called {seq.name}")
        names.add(seq.name)
        if args.only and seq.name != args.only:
            continue
        doc = build(seq, defaults)
        path = os.path.join(args.out, seq.name + ".json")
        with open(path, "w", encoding="utf-8") as f:
            json.dump(doc, f, indent=2)
            f.write("\n")
        print(f"{path}: {len(doc['keys'])} keys, {doc['keys'][-1]['frame'] / FPS:g} s")


if __name__ == "__main__":
    sys.exit(main())
