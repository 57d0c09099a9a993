#!/usr/bin/env bash
# La commande de test du README dans un Debian 12 neuf : scripts/installer-paquets.sh
# dans une copie jetable de la racine de debootstrap, puis toute la suite sur
# l'arbre déjà construit, monté au même chemin, avec le serveur PostgreSQL
# jetable. Un paquet dont un test a besoin et que le script n'installe pas
# fait échouer ce passage, pas la machine de l'utilisateur suivant.
# Root et l'archive Debian sont nécessaires (debootstrap, chroot, mount).
# Usage : scripts/tester-debian12.sh   (RACINE=/tmp/racine, JOBS=2)
set -euo pipefail
cd "$(dirname "$0")/.."
arbre=$(pwd -P)
if [ ! -f build/CTestTestfile.cmake ]; then
  echo "Arbre non construit : scripts/construire.sh d'abord." >&2
  exit 1
fi
source scripts/racine-debian12.sh
trap demonter_essai EXIT
preparer_essai

# Les mêmes suites que celles d'une installation ordinaire, mises à jour comprises.
cat >"$essai/etc/apt/sources.list" <<FIN
deb $miroir bookworm main
deb $miroir bookworm-updates main
deb ${miroir%/debian*}/debian-security bookworm-security main
FIN
# Une racine jetable : dpkg n'y attend pas le disque et n'y pose pas de pages de manuel.
echo force-unsafe-io >"$essai/etc/dpkg/dpkg.cfg.d/essai-jetable"
echo 'path-exclude=/usr/share/man/*' >>"$essai/etc/dpkg/dpkg.cfg.d/essai-jetable"
monter --bind "$archives" "$essai/var/cache/apt/archives"
monter --bind /dev "$essai/dev"
monter -t tmpfs tmpfs "$essai/dev/shm"
mkdir -p "$essai$arbre"
monter --bind "$arbre" "$essai$arbre"

echo "== scripts/installer-paquets.sh dans la racine neuve"
debut=$SECONDS
chroot "$essai" bash "$arbre/scripts/installer-paquets.sh" >"$essai/tmp/installation.log" 2>&1 \
  || { tail -40 "$essai/tmp/installation.log" >&2; exit 1; }
echo "   $(( SECONDS - debut )) s"

echo "== la suite de tests dans la racine neuve"
debut=$SECONDS
chroot "$essai" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  QT_QPA_PLATFORM=offscreen GRAPHIQUE_PG_EXIGE=1 \
  bash -c "cd '$arbre' && bash scripts/postgresql-temporaire.sh ctest --test-dir build --output-on-failure -j${JOBS:-2}"
echo "   $(( SECONDS - debut )) s"
