#!/usr/bin/env bash
# Lists what a package holds and checks that it is what an author needs: the
# generator and the tools, the README and the handbook. A .zip must hold the
# Windows executables (.exe), a .tar.gz the Linux ones.
# Usage: scripts/contenuto_pacchetto.sh PACKAGE.zip|PACKAGE.tar.gz
set -euo pipefail
pacchetto=$1
case "$pacchetto" in
  *.zip)
    elenco=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$pacchetto")
    estensione=.exe ;;
  *.tar.gz)
    elenco=$(tar -tzf "$pacchetto")
    estensione= ;;
  *) echo "$pacchetto: not a .zip or .tar.gz" >&2; exit 2 ;;
esac
echo "== $pacchetto"
printf '%s\n' "$elenco" | grep -v '/$' | sed 's/^/  /'
mancano=0
for voce in "bin/orsella_drumvane$estensione" "bin/compila_scenario$estensione" "bin/mostra_scenario$estensione" \
            "bin/decompila_scenario$estensione" "bin/servizio_scenario$estensione" \
            share/doc/orsella_drumvane/README.md share/doc/orsella_drumvane/docs/manuale.md; do
  if ! printf '%s\n' "$elenco" | grep -q -E "^[^/]+/$voce\$"; then
    echo "$pacchetto: missing $voce" >&2
    mancano=1
  fi
done
exit $mancano
