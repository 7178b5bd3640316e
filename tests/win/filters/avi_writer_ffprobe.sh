#!/usr/bin/env bash
# ffprobe, a reader independent of ours, on the recording filters_avi_writer_test left in the bin folder:
# both streams, 24-bit pictures of the camera's size and every frame the writer was handed, the
# microphone's PCM with every byte it was handed, and a decode of the whole file without an error.
set -uo pipefail
bin=$1
avi=$bin/avi_writer_test.avi
expected=$bin/avi_writer_test.expected
if [ ! -f "$avi" ] || [ ! -f "$expected" ]; then
    echo "no recording: filters_avi_writer_test makes it"
    exit 1
fi
want() { sed -n "s/^$1=//p" "$expected"; }
field() { sed -n "s/^$1=//p" <<<"$2"; }
status=0
check() {
    if [ "$2" == "$3" ]; then
        echo "ok   $1: $2"
    else
        echo "FAIL $1: $2, expected $3"
        status=1
    fi
}

check streams "$(ffprobe -v error -show_entries format=nb_streams -of default=nw=1:nk=1 "$avi")" 2
video=$(ffprobe -v error -select_streams v:0 -count_packets \
    -show_entries stream=codec_name,pix_fmt,width,height,nb_read_packets -of default=nw=1 "$avi")
check "video codec" "$(field codec_name "$video")" rawvideo
check "pixel format" "$(field pix_fmt "$video")" bgr24
check width "$(field width "$video")" "$(want width)"
check height "$(field height "$video")" "$(want height)"
check frames "$(field nb_read_packets "$video")" "$(want frames)"
audio=$(ffprobe -v error -select_streams a:0 -show_entries stream=codec_name,sample_rate,channels -of default=nw=1 "$avi")
check "audio codec" "$(field codec_name "$audio")" pcm_s16le
check "sample rate" "$(field sample_rate "$audio")" 48000
check channels "$(field channels "$audio")" 1
bytes=$(ffprobe -v error -select_streams a:0 -show_entries packet=size -of csv=p=0 "$avi" | awk '{ s += $1 } END { print s + 0 }')
check "sound bytes" "$bytes" "$(want audio_bytes)"
errors=$(ffmpeg -v error -i "$avi" -f null - 2>&1)
check "decode errors" "${errors:-none}" none
# The recording is large; keep it only when something is wrong with it.
[ $status -eq 0 ] && rm -f "$avi"
exit $status
