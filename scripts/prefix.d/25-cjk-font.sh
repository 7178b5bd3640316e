# Sourced by "scripts/prefix install" ($WINEPREFIX set, wine usable): gives the prefix glyphs for the Japanese,
# Korean and Chinese texts, which the fonts-wine fonts lack. The CJK font of Debian's fonts-wqy-microhei goes into
# the prefix's Fonts folder and is linked behind the faces the program's texts end up in under Wine (menus and
# dialogs: Tahoma and MS Shell Dlg; "Arial Unicode MS" and "Arial" resolve to Liberation Sans; Wine looks a bold
# face's links up under its own name), so a glyph missing there is taken from it, as Windows does with its own CJK
# fonts. The Korean dialogs ask for "Batang", a Korean font, for which it stands in. (The Zen Hei font of the same
# family carries bitmaps for small sizes that lack many Hangul syllables: menus and tips in Korean showed empty
# boxes with it.)
cjk_font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
if [ -f "$cjk_font" ]; then
    cp -f "$cjk_font" "$WINEPREFIX/drive_c/windows/Fonts/"
    cjk_link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    for face in Tahoma 'Tahoma Bold' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' 'Liberation Sans' \
        'Liberation Sans Bold' Arial; do
        wine reg add "$cjk_link" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 ||
            echo "25-cjk-font: could not link $face to the CJK font" >&2
    done
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v Batang /t REG_SZ \
        /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1 || echo "25-cjk-font: could not stand in for Batang" >&2
    unset cjk_link face
else
    echo "25-cjk-font: $cjk_font missing (scripts/setup installs fonts-wqy-microhei): CJK texts show no glyphs" >&2
fi
unset cjk_font
