#!/usr/bin/env bash
# Makes the fuzzers' seed corpora in fuzz/corpus/<fuzzer>/ from the game's
# own data: the campaign levels, and the files of a built program folder
# (sprites, images, sounds, resource lists, the campaign), the options and
# progress files the game writes, and a SAF archive packed by the game's
# tool. Large files are cut down to a few kilobytes so the fuzzers stay
# fast. The seeds are committed; run this again only to renew them:
#
#     scripts/run.sh --help >/dev/null   # or any build of build/bin
#     fuzz/make-corpus.sh [build/bin]
#
# Needs ImageMagick and Pillow (scripts/deps.sh installs both) and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/bin}
out=fuzz/corpus
magick=$(command -v convert-im6.q16 || command -v magick || command -v convert)
python=/usr/bin/python3
[ -x "$python" ] || python=python3

rm -rf "$out"
mkdir -p "$out"/{DataTree,ImagePCX,ImageTGA,LevelFile,SafArchive,SpriteFile,WavReader,OptionsFile,ProgressFile,CampaignFile,OggSource}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The first bytes of a file, up to `limit`, ending at the last Ogg page that
# fits: a shorter stream, still well formed.
ogg_head() {
  "$python" - "$1" "$2" "$3" <<'EOF'
import sys
data = open(sys.argv[1], 'rb').read()
limit = int(sys.argv[3])
end = 0
at = data.find(b'OggS')
while at != -1 and at < limit:
    end = at
    at = data.find(b'OggS', at + 1)
open(sys.argv[2], 'wb').write(data[:end])
EOF
}

# Levels: every campaign level.
cp data/levels/*.lvl "$out/LevelFile/"

# Sprites: the small descriptions, and two with many frames and animations.
for s in BrickBlocker ColorSquares HintCell Items ItemCells Intro Explosion Credits \
         BrickStar Bricks InstructionsPanels; do
  cp "$bin/Sprites/$s.spr" "$out/SpriteFile/"
done

# Images: the small TGA sheets as the game ships them (run-length, 32 bits),
# and the loading picture in the other layouts the loader takes.
for i in Loading SheetHintCell SheetColorSquares SheetBrickBlockerSmall; do
  cp "$bin/Images/$i.tga" "$out/ImageTGA/"
done
"$magick" "$bin/Images/Loading.tga" -compress None -orient TopLeft "$out/ImageTGA/Loading-top-left.tga"
"$magick" "$bin/Images/Loading.tga" -alpha off -compress None "$out/ImageTGA/Loading-24.tga"
"$magick" "$bin/Images/Loading.tga" -alpha off -depth 5 -compress RLE \
  -set comment "Zeltra" "$out/ImageTGA/Loading-16.tga"
# PCX: the menu background, and the loading picture paletted and in three
# planes, with rows as written by ImageMagick and padded by Pillow.
cp "$bin/Images/MenuBackground.pcx" "$out/ImagePCX/"
"$magick" "$bin/Images/Loading.tga" -alpha off -type Palette "$out/ImagePCX/Loading-palette.pcx"
"$magick" "$bin/Images/Loading.tga" -alpha off -type TrueColor "$out/ImagePCX/Loading-rgb.pcx"
"$magick" "$bin/Images/Loading.tga" -alpha off -crop 41x9+0+0 +repage "$tmp/odd.png"
"$python" -c "
import sys
from PIL import Image
picture = Image.open(sys.argv[1]).convert('RGB')
picture.save(sys.argv[2])
picture.convert('P').save(sys.argv[3])" "$tmp/odd.png" "$out/ImagePCX/Odd-rgb-padded.pcx" \
  "$out/ImagePCX/Odd-palette-padded.pcx"

# Sounds: the two shortest effects; the music cut to its first pages, and
# the two tracks' first pages one after the other (a chained file).
cp "$bin/Sounds/ButtonHover.wav" "$bin/Sounds/ButtonPressed.wav" "$out/WavReader/"
ogg_head "$bin/Sounds/MenuMusic.ogg" "$out/OggSource/MenuMusic-head.ogg" 6000
ogg_head "$bin/Sounds/GameMusic.ogg" "$out/OggSource/GameMusic-head.ogg" 12000
cat "$out/OggSource/MenuMusic-head.ogg" "$out/OggSource/GameMusic-head.ogg" \
  > "$out/OggSource/Chained.ogg"

# Options and progress as the game writes them at its first start, and a
# progress file with levels done, its validation value made the game's way.
home="$tmp/home"
mkdir -p "$home"
XDG_DATA_HOME="$home" xvfb-run -a -s "-screen 0 1280x1024x24" sh -c \
  "'$bin/zeltra' & game=\$!; sleep 8; kill -TERM \$game; wait \$game" >/dev/null 2>&1 || true
user="$home/Quillbee Studios/Zeltra"
cp "$user/Zeltra.cfg" "$out/OptionsFile/FirstStart.cfg"
sed -e 's/Fullscreen="True"/Fullscreen="False"/' -e 's/BitDepth="16"/BitDepth="32"/' \
    -e 's/ShowHints="True"/ShowHints="False"/' -e 's/MusicVolume="8"/MusicVolume="3"/' \
    -e 's/\tColourSymbols/\tWindowWidth="1000"\n\tWindowHeight="700"\n\tColourSymbols/' \
    "$user/Zeltra.cfg" > "$out/OptionsFile/Windowed.cfg"
cp "$user/CompletedLevels.dat" "$out/ProgressFile/Empty.dat"
"$python" - "$out/ProgressFile/ThreeLevels.dat" <<'EOF'
import hashlib, sys
levels = ['LvlZeltra01', 'LvlZeltra02', 'LvlZeltra05']
text = 'NODE BEGIN "CompletedLevels" 0 %d ' % len(levels)
for alias in levels:
    text += 'NODE BEGIN "Level" 1 0 "Alias"="%s" NODE END ' % alias
text += 'NODE END '
body = ''.join('\tLevel=\n\t{\n\t\tAlias="%s"\n\t}\n' % alias for alias in levels)
open(sys.argv[1], 'w').write(
    'WARNING="Do not tamper with this file! If you do, you will lose your progress!"\n'
    'Validation="%s"\nCompletedLevels=\n{\n%s}\n' % (hashlib.md5(text.encode()).hexdigest(), body))
EOF

# The campaign, and the data tree files of every kind for the tree reader.
cp "$bin/Levels/Zeltra.cmp" "$out/CampaignFile/"
cp "$bin/Resources/"*.res "$out/DataTree/"
cp "$bin/Levels/Zeltra.cmp" data/levels/Zeltra01.lvl "$bin/Sprites/Intro.spr" "$out/DataTree/"
cp "$out/OptionsFile/FirstStart.cfg" "$out/ProgressFile/ThreeLevels.dat" "$out/DataTree/"

# A SAF archive of some of these, packed by the game's own tool.
mkdir -p "$tmp/saf/Levels" "$tmp/saf/Sprites"
cp data/levels/Zeltra01.lvl data/levels/Zeltra02.lvl "$tmp/saf/Levels/"
cp "$bin/Sprites/HintCell.spr" "$tmp/saf/Sprites/"
cp "$bin/Resources/Campaigns.res" "$tmp/saf/"
"$bin/saf" pack "$tmp/saf" "$out/SafArchive/Data.saf" >/dev/null

du -sh "$out"
