#!/usr/bin/env bash
# Writes <out>/report.html from a demo session (demo_session.exe): its steps with their screenshots, the three
# snapshots and the recording copied out of the prefix's scene folders, the recording's ffprobe summary and a
# frame from its middle. $WINEPREFIX is the prefix the session ran in.
#   report.sh <out folder> <steps file>
set -uo pipefail
out=$1 steps=$2
demo=$out/demo
scene=$WINEPREFIX/drive_c/QuilloScene
mkdir -p "$demo"

html() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' <<<"$1"; }

for f in IMG0000.bmp IMG0000.jpg IMG0000.png; do
    [ -f "$scene/Pictures/$f" ] && cp -f "$scene/Pictures/$f" "$demo/"
done
avi=$demo/AVI0000.avi
[ -f "$scene/Videos/AVI0000.avi" ] && cp -f "$scene/Videos/AVI0000.avi" "$avi"

{
    cat <<HEAD
<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Quillo demo session</title>
<style>
body { font-family: sans-serif; margin: 2em; max-width: 75em; }
figure { display: inline-block; vertical-align: top; margin: 0 1em 1.5em 0; }
figcaption { max-width: 40em; font-size: 90%; }
img { border: 1px solid #999; max-width: 100%; }
.fail { color: #b00; font-weight: bold; }
pre { background: #f4f4f4; padding: 0.8em; }
</style></head><body>
<h1>Quillo demo session</h1>
<p>Quillo $(html "$(git -C "$(dirname "$0")/.." describe --always --dirty 2>/dev/null || echo '(no git)')") under Wine
on the simulated 0402:9665 camera, $(date -u '+%Y-%m-%d %H:%M UTC').</p>
<h2>What was done</h2>
<p>$(tr -d '\r' <"$steps" | grep -c '^step') steps done, $(tr -d '\r' <"$steps" | grep -c '^fail') failed.</p>
<ol>
HEAD
    while IFS=$'\t' read -r kind picture what; do
        case $kind in
        step) echo "<li>$(html "$what")</li>" ;;
        fail) echo "<li class=\"fail\">Failed: $(html "$what")</li>" ;;
        esac
    done < <(tr -d '\r' <"$steps")
    [ -s "$steps" ] || echo '<li class="fail">The session printed no step (see build/windows/wine/demo.log).</li>'
    echo "</ol>"

    echo "<h2>Screenshots</h2>"
    while IFS=$'\t' read -r kind picture what; do
        [ "$kind" = step ] && [ "$picture" != - ] && [ -f "$demo/$picture" ] || continue
        echo "<figure><img src=\"demo/$picture\" alt=\"$picture\"><figcaption>$(html "$what")</figcaption></figure>"
    done < <(tr -d '\r' <"$steps")

    echo "<h2>Snapshots</h2>"
    for f in IMG0000.bmp IMG0000.jpg IMG0000.png; do
        if [ -f "$demo/$f" ]; then
            info=$(identify -format '%m, %wx%h, %b' "$demo/$f" 2>&1 | head -1)
            echo "<figure><img src=\"demo/$f\" alt=\"$f\" width=\"320\"><figcaption>$f: $(html "$info")</figcaption></figure>"
        else
            echo "<p class=\"fail\">No $f.</p>"
        fi
    done

    echo "<h2>Recording</h2>"
    if [ -f "$avi" ]; then
        summary=$(ffprobe -v error -show_entries stream=codec_type,codec_name,pix_fmt,width,height,r_frame_rate,nb_frames,sample_rate,channels \
            -show_entries format=duration,size -of default=nw=1 "$avi" 2>&1)
        field() { ffprobe -v error -select_streams "$1" -show_entries "$2" -of default=nw=1:nk=1 "$avi" 2>/dev/null | head -1; }
        fps=$(field v:0 stream=avg_frame_rate | awk -F/ '$2 > 0 { printf "%.1f", $1 / $2 }')
        line="$(field v:0 stream=width)x$(field v:0 stream=height) $(field v:0 stream=codec_name), $(field v:0 stream=nb_frames) frames at $fps frames per second; sound $(field a:0 stream=codec_name) $(field a:0 stream=sample_rate) Hz, $(field a:0 stream=channels) channel(s); $(field v:0 format=duration) s, $(du -h "$avi" | cut -f1)"
        echo "<p><a href=\"demo/AVI0000.avi\">AVI0000.avi</a>: $(html "$line").</p><p>ffprobe's summary:</p><pre>$(html "$summary")</pre>"
        if ffmpeg -v error -y -ss 2.5 -i "$avi" -frames:v 1 "$demo/recording-frame.png" 2>/dev/null; then
            echo "<figure><img src=\"demo/recording-frame.png\" alt=\"frame\"><figcaption>The recording's frame at 2.5 s (ffmpeg).</figcaption></figure>"
        fi
    else
        echo "<p class=\"fail\">No recording.</p>"
    fi
    echo "</body></html>"
} >"$out/report.html"
