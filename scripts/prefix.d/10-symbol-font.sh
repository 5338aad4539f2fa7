# The symbol font Wine draws the title bars' buttons with (Marlett: "r" is
# the close button). fonts-wine installs it where this Wine does not look,
# so the prefix gets a copy among the Windows fonts.
for dir in /usr/share/wine/fonts /usr/lib/wine/fonts /usr/share/fonts/truetype/wine; do
    if [ -f "$dir/marlett.ttf" ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp "$dir/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
            /v 'Marlett (TrueType)' /t REG_SZ /d marlett.ttf /f
        break
    fi
done
