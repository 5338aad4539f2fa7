# The local-language faces. The string libraries name the dialog font of the
# local language "HIN Sans" (Hindi) or "TAM Sans" (Tamil): the first three
# letters are the language code the dialogs compare. They stand for the
# Unicode Devanagari and Tamil fonts that scripts/deps.sh installs (Lohit),
# as a Windows machine maps them to its installed Indic fonts.
#
# Lohit Devanagari has Latin letters too; Lohit Tamil has none, and Windows
# controls shape each label with one font, so the Latin access keys ("(&F)")
# and English names beside Tamil text would show as boxes. "TAM Sans" is
# therefore Lohit Tamil with the Latin letters of Lohit Devanagari (the same
# design and units), built here and installed in the prefix's Fonts folder.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
/usr/bin/python3 - /usr/share/fonts/truetype/lohit-tamil/Lohit-Tamil.ttf \
    /usr/share/fonts/truetype/lohit-devanagari/Lohit-Devanagari.ttf \
    "$fonts/TAMSans.ttf" "TAM Sans" <<'PY'
import sys
from fontTools.ttLib import TTFont
from fontTools.ttLib.tables import ttProgram

tamil_path, latin_path, out_path, family = sys.argv[1:5]
tamil = TTFont(tamil_path)
latin = TTFont(latin_path)
assert tamil["head"].unitsPerEm == latin["head"].unitsPerEm
tamil_cmap = tamil.getBestCmap()
latin_cmap = latin.getBestCmap()
order = tamil.getGlyphOrder()
copied = {}


def copy(name):
    # A glyph of the Latin font (and the glyphs it is built from), without
    # the hinting program, which refers to the other font's tables.
    if name in copied:
        return copied[name]
    glyph = latin["glyf"][name]
    if glyph.isComposite():
        for component in glyph.components:
            component.glyphName = copy(component.glyphName)
    glyph.program = ttProgram.Program()
    glyph.program.fromBytecode(b"")
    new = "latin." + name
    order.append(new)
    tamil["glyf"].glyphs[new] = glyph
    tamil["hmtx"].metrics[new] = latin["hmtx"].metrics[name]
    copied[name] = new
    return new


for code in range(0x20, 0x7F):
    if code not in tamil_cmap and code in latin_cmap:
        glyph = copy(latin_cmap[code])
        for table in tamil["cmap"].tables:
            if table.isUnicode():
                table.cmap[code] = glyph
tamil.setGlyphOrder(order)
tamil["glyf"].glyphOrder = order
for record in tamil["name"].names:
    if record.nameID in (1, 4, 16):
        record.string = family
    elif record.nameID == 6:
        record.string = family.replace(" ", "")
tamil.save(out_path)
PY
reg=$(mktemp --suffix=.reg)
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"TAM Sans (TrueType)"="TAMSans.ttf"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"HIN Sans"="Lohit Devanagari"
"Hin Tahoma"="Lohit Devanagari"
"Tam_Kavya"="TAM Sans"
REG
wine regedit /S "$(winepath -w "$reg")"
rm -f "$reg"
