# Printers, installed the way an administrator installs them on Windows: the
# spooler gets Wine's PostScript driver (wineps.drv) with a printer
# description (PPD) of our own, and a print queue (print processor winprint)
# on a port that is a file, so that a page printed on it really ends up as
# PostScript in that file. The dialogs then see what any program sees:
# EnumPrinters, DeviceCapabilities, the print dialog, a printer DC.
#
#   "Office Laser" (the default printer): Letter, Custom Label, Legal, A4;
#                  300 and 600 dpi; port C:\PrinterOutput\Office Laser.ps
#   "Wide Format": A3, Tabloid, A2; 1200 dpi; port C:\PrinterOutput\Wide Format.ps
#
# The installer is a small Windows program of the project (add_printer.exe,
# built with the x64 preset). When the prefix is set up before anything was
# built, this part builds that one program first.
# (The part runs in a subshell whose status is tested, where set -e does not
# act: each step stops the part on its own.)
printers="$QVSSD_ROOT/scripts/prefix.d/printers"
tool="$QVSSD_ROOT/build/x64/tools/add_printer.exe"
if [ ! -f "$tool" ]; then
    (
        cd "$QVSSD_ROOT" || exit 1
        if [ ! -f build/x64/build.ninja ]; then cmake --preset x64 >/dev/null || exit 1; fi
        cmake --build --preset x64 --target add_printer
    ) || exit 1
fi
wine "$tool" "Office Laser" "$(winepath -w "$printers/office-laser.ppd")" \
    'C:\PrinterOutput\Office Laser.ps' --default || exit 1
wine "$tool" "Wide Format" "$(winepath -w "$printers/wide-format.ppd")" \
    'C:\PrinterOutput\Wide Format.ps' || exit 1
