# Wine's own fonts that fonts-wine installs where this Wine does not look,
# copied among the prefix's Windows fonts:
# - Marlett, the symbol font Wine draws the title bars' buttons with ("r" is
#   the close button);
# - Tahoma, regular and bold, the face behind "MS Shell Dlg", in which every
#   dialog template is laid out. Wine's Tahoma has Windows' metrics at 8
#   points (dialog base units 6 by 13), so a dialog has the pixel size it
#   has on Windows: the Chart Wizard's preview area (340 by 126 dialog
#   units) is the chart's own 510 by 205 pixels.
for dir in /usr/share/wine/fonts /usr/lib/wine/fonts /usr/share/fonts/truetype/wine; do
    if [ -f "$dir/marlett.ttf" ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        for font in "Marlett:marlett.ttf" "Tahoma:tahoma.ttf" "Tahoma Bold:tahomabd.ttf"; do
            file=${font#*:}
            [ -f "$dir/$file" ] || continue
            cp "$dir/$file" "$WINEPREFIX/drive_c/windows/Fonts/$file"
            wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
                /v "${font%%:*} (TrueType)" /t REG_SZ /d "$file" /f
        done
        break
    fi
done
