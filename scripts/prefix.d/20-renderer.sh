# Sourced by "scripts/prefix install" ($WINEPREFIX set, wine usable): lets the preview picture reach the
# screen under Wine. Wine 8 draws the VMR-9 renderer through OpenGL, and a Direct3D window that is the
# child of another window (the preview's video area) renders into an off-screen X window whose frames
# are never copied onto the dialog: Wine gives device contexts of child windows no X drawable. The
# prefix therefore maps the VMR-9 class id to Wine's GDI video renderer (COM "TreatAs"), which draws
# into the window surface like any other control. The program is unchanged: it creates VMR-9 and gets a
# renderer with the same filter interfaces. Tests that need Wine's real VMR-9 create it through
# quartz.dll's class factory. QUILLO_REAL_VMR9=1 leaves the class alone (black picture under Wine).
vmr9='HKLM\Software\Classes\CLSID\{51B4ABF3-748F-4E3B-A276-C828330E926A}\TreatAs'
if [ "${QUILLO_REAL_VMR9:-0}" = 1 ]; then
    wine reg delete "$vmr9" /f >/dev/null 2>&1 || true
elif ! renderer_out=$(wine reg add "$vmr9" /ve /t REG_SZ /d '{70E102B0-5556-11CE-97C0-00AA0055595A}' /f 2>&1); then
    echo "20-renderer: could not map VMR-9 to the GDI renderer: $renderer_out" >&2
fi
unset vmr9 renderer_out
