# Sourced by "scripts/prefix install" ($WINEPREFIX and $dest set, wine usable): registers the installed
# filter modules from C:\Quillo, as the suite's installer does, so every install starts from the same
# registration (Wine tests may have registered the modules from the build folder before).
for module in nvds.ax nvpa.ax nvav.ax; do
    if [ -f "$dest/$module" ] && ! filters_out=$(wine regsvr32 /s "C:\\Quillo\\$module" 2>&1); then
        echo "15-filters: could not register $module: $filters_out" >&2
    fi
done
unset module filters_out
