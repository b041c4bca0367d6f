#!/usr/bin/env bash
# Regenerates samples/: pictures drawn here (ImageMagick) with camera data
# written by the exiv2 tool. Needs: apt-get install imagemagick exiv2.
# The output is committed; run this only to change the samples.
set -euo pipefail
cd "$(dirname "$0")/.."
out=samples
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
rm -rf "$out"
mkdir -p "$out"

camera() { # file make model date exposure fnumber focal flash iso
  exiv2 -M"set Exif.Image.Make $2" -M"set Exif.Image.Model $3" \
        -M"set Exif.Photo.DateTimeOriginal $4" -M"set Exif.Image.DateTime $4" \
        -M"set Exif.Photo.ExposureTime $5" -M"set Exif.Photo.FNumber $6" \
        -M"set Exif.Photo.FocalLength $7" -M"set Exif.Photo.Flash $8" \
        -M"set Exif.Photo.ISOSpeedRatings $9" "$1"
}

# Mountain lake at dusk.
convert -size 1600x1067 gradient:'#3f6fc4'-'#f6c47c' \
  -fill '#fbe38a' -draw 'circle 1150,330 1150,400' \
  -fill '#46586d' -draw 'polygon 0,760 260,420 520,700 820,330 1120,720 1380,500 1600,660 1600,1067 0,1067' \
  -fill '#e9eef3' -draw 'polygon 760,400 820,330 880,405 850,390 820,420 790,395' \
  -fill '#2e6a88' -draw 'rectangle 0,850 1600,1067' \
  -fill '#f4d58a' -draw 'rectangle 1100,880 1200,890' -draw 'rectangle 1080,920 1220,928' \
  -quality 82 "$out/lac-montagne.jpg"
camera "$out/lac-montagne.jpg" Canon "Canon EOS 5D Mark III" "2024:07:14 18:42:05" 1/250 56/10 350/10 16 200

# Lighthouse, shot upright on a phone: stored sideways with orientation 6.
convert -size 1200x1600 gradient:'#8ec5ee'-'#e8f4fb' \
  -fill '#1f4f7a' -draw 'rectangle 0,1250 1200,1600' \
  -fill '#f1f1f1' -draw 'polygon 520,1250 560,520 640,520 680,1250' \
  -fill '#c8332f' -draw 'polygon 548,760 655,760 662,900 541,900' -draw 'polygon 530,1040 670,1040 676,1180 524,1180' \
  -fill '#333333' -draw 'rectangle 545,440 655,520' \
  -fill '#ffd64a' -draw 'rectangle 560,455 640,505' \
  -fill '#c8332f' -draw 'polygon 530,440 600,370 670,440' \
  -rotate -90 -quality 82 "$out/phare-portrait.jpg"
camera "$out/phare-portrait.jpg" Apple "iPhone 12" "2023:08:02 11:05:47" 1/1200 16/10 42/10 24 32
exiv2 -M"set Exif.Image.Orientation 6" "$out/phare-portrait.jpg"

# Sunset over the sea, flash fired by mistake.
convert -size 1400x933 gradient:'#ff9a3c'-'#5b2a86' -flip \
  -fill '#ffe07a' -draw 'circle 700,560 700,660' \
  -fill '#24305e' -draw 'rectangle 0,600 1400,933' \
  -fill '#ff9a3c' -draw 'rectangle 560,640 840,650' -draw 'rectangle 610,690 790,698' -draw 'rectangle 650,740 750,746' \
  -fill '#101828' -draw 'polygon 120,600 180,560 260,570 330,600' \
  -quality 80 "$out/coucher-soleil.jpg"
camera "$out/coucher-soleil.jpg" "NIKON CORPORATION" "NIKON D750" "2022:09:21 20:13:30" 1/60 40/10 500/10 25 800

# Garden, no camera data at all.
convert -size 1200x800 gradient:'#bfe3ff'-'#ffffff' \
  -fill '#5aa641' -draw 'rectangle 0,520 1200,800' \
  -fill '#7b4a26' -draw 'rectangle 300,300 330,560' \
  -fill '#2f7d32' -draw 'circle 315,280 315,180' \
  -fill '#e5484d' -draw 'circle 700,600 700,630' -draw 'circle 820,640 820,668' -draw 'circle 950,590 950,615' \
  -fill '#ffd23f' -draw 'circle 700,600 700,610' -draw 'circle 820,640 820,650' -draw 'circle 950,590 950,599' \
  -strip -quality 80 "$out/jardin-sans-exif.jpg"

# Logo on a transparent background.
convert -size 1000x1000 xc:none \
  -fill 'rgba(220,60,60,0.92)' -draw 'circle 500,420 500,120' \
  -fill 'rgba(40,110,210,0.65)' -draw 'roundrectangle 150,560 850,860 60,60' \
  -fill 'rgba(255,255,255,0.9)' -draw 'polygon 500,250 560,400 420,320 580,320 440,400' \
  PNG32:"$out/logo-transparent.png"

# Animated GIF: a ball bouncing across a field.
for i in 0 1 2 3 4 5 6 7; do
  x=$((100 + i * 80)); y=$(( i % 2 == 0 ? 380 : 260 ))
  convert -size 800x600 xc:'#9fd3f0' -fill '#6cb33f' -draw 'rectangle 0,450 800,600' \
    -fill '#e4572e' -draw "circle $x,$y $((x + 40)),$y" +dither -colors 8 "$tmp/f$i.gif"
done
convert -delay 15 -loop 0 "$tmp"/f?.gif "$out/balle-animee.gif"

# Poster in exactly 16 colours.
convert -size 1000x750 gradient:'#14213d'-'#fca311' \
  -fill '#e5e5e5' -draw 'circle 300,300 300,180' \
  -fill '#000000' -draw 'rectangle 600,150 900,600' \
  -fill '#fca311' -draw 'polygon 100,700 400,420 700,700' \
  +dither -colors 16 "$out/affiche-16-couleurs.gif"

# Map-like picture in 8-bit colour, and a 24-bit one.
convert -size 800x500 gradient:'#d8c99b'-'#7fb069' \
  -fill '#4a90c2' -draw 'polygon 0,300 200,260 380,330 520,280 800,340 800,500 0,500' \
  -fill '#8c5a3c' -draw 'polygon 520,120 600,40 680,130' \
  -fill '#222222' -draw 'line 60,60 740,440' \
  +dither -colors 64 -type Palette BMP3:"$out/carte-8bits.bmp"
convert -size 800x500 gradient:'#ffe4ec'-'#ff7aa2' \
  -fill '#2e8b57' -draw 'rectangle 390,220 410,500' \
  -fill '#ffd700' -draw 'circle 400,200 400,240' \
  -fill '#ff4f79' -draw 'circle 340,200 340,230' -draw 'circle 460,200 460,230' \
  -draw 'circle 400,140 400,170' -draw 'circle 400,260 400,290' \
  -alpha off -type TrueColor BMP3:"$out/fleurs-24bits.bmp"

# A TIFF, LZW-compressed.
convert -size 1000x700 xc:'#f0ead6' \
  -fill '#264653' -draw 'rectangle 100,100 450,600' \
  -fill '#2a9d8f' -draw 'circle 700,300 700,160' \
  -fill '#e76f51' -draw 'polygon 500,650 700,420 900,650' \
  -depth 8 -compress lzw "$out/formes.tif"

# Named like a picture, but text.
printf 'Ce fichier porte un nom de photo mais ce n%cest pas une image.\n' "'" > "$out/pas-une-image.jpg"

du -ch "$out"/* | tail -1
