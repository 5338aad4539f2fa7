# The local-language faces. The string libraries name the dialog font of the
# local language "HIN Sans" (Hindi) or "TAM Sans" (Tamil): the first three
# letters are the language code the dialogs compare. Font substitutes map them
# to the Unicode Devanagari and Tamil fonts that scripts/deps.sh installs
# (Lohit), as a Windows machine maps them to its installed Indic fonts; the
# message box and the controls then draw shaped Devanagari and Tamil.
reg=$(mktemp --suffix=.reg)
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"HIN Sans"="Lohit Devanagari"
"TAM Sans"="Lohit Tamil"
"Hin Tahoma"="Lohit Devanagari"
"Tam_Kavya"="Lohit Tamil"
REG
wine regedit /S "$(winepath -w "$reg")"
rm -f "$reg"
# Lohit Tamil has no Latin letters: the access keys "(&F)" and English names
# beside Tamil text come from Liberation Sans through a font link, as Windows
# links its Indic faces to a Latin one.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v 'Lohit Tamil' /t REG_MULTI_SZ /d 'LiberationSans-Regular.ttf,Liberation Sans' /f
