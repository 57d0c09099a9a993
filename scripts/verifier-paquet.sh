#!/usr/bin/env bash
# Le contrôle comme bibliothèque d'un autre programme : construction Release
# sans tests ni mesures dans build-paquet/, installation dans un préfixe
# temporaire, construction de examples/hote-minimal contre ce seul préfixe,
# un passage de l'exemple (il écrit un PNG), puis le paquet Debian (cpack).
set -euo pipefail
cd "$(dirname "$0")/.."
racine="$PWD"
debut=$SECONDS
bash scripts/installer-paquets.sh

construction="$racine/build-paquet"
lanceur=()
# ccache s'il est là : les reconstructions de la CI en profitent.
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$construction" -DCMAKE_BUILD_TYPE=Release -DGRAPHIQUE_TESTS=OFF -DGRAPHIQUE_BENCH=OFF \
  "${lanceur[@]}" >/dev/null
cmake --build "$construction" -j"${JOBS:-2}"

prefixe=$(mktemp -d "${TMPDIR:-/tmp}/graphique-prefixe.XXXXXX")
trap 'rm -rf "$prefixe"' EXIT
cmake --install "$construction" --prefix "$prefixe" >/dev/null
echo "== Installé dans $prefixe :"
(cd "$prefixe" && find . -type f -printf '%h\n' | sed 's|^\./||' | sort | uniq -c | awk '{ printf "  %-50s %d fichiers\n", $2, $1 }')

# Le manuel de graphique-hote, là où le programme installé le cherche.
for page in KOR_help.htm docs_kor/KOR_help_38.htm aide.css; do
  [ -f "$prefixe/share/graphique/aide/$page" ] || { echo "Manuel incomplet : share/graphique/aide/$page manque." >&2; exit 1; }
done

# L'exemple ne voit que le préfixe : ni l'arbre de construction, ni le
# registre des paquets de l'utilisateur.
exemple="$construction/hote-minimal"
rm -rf "$exemple"
# Chaque en-tête installé y est aussi compilé seul.
cmake -S examples/hote-minimal -B "$exemple" -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefixe" \
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DHOTE_MINIMAL_ENTETES_SEULS=ON "${lanceur[@]}" >/dev/null
trouve=$(sed -n 's/^Graphique_DIR:PATH=//p' "$exemple/CMakeCache.txt")
case "$trouve" in
  "$prefixe"/*) echo "== Exemple configuré avec $trouve" ;;
  *) echo "L'exemple a trouvé Graphique ailleurs que dans le préfixe : $trouve" >&2; exit 1 ;;
esac
cmake --build "$exemple" -j"${JOBS:-2}"
QT_QPA_PLATFORM=offscreen "$exemple/hote-minimal" "$exemple/edition.png"

echo "== Paquet Debian"
rm -f "$construction"/graphique_*.deb
(cd "$construction" && cpack -G DEB >/dev/null)
paquet=$(ls "$construction"/graphique_*.deb)
echo "$paquet : $(du -h "$paquet" | cut -f1) ($(stat -c %s "$paquet") octets)"
dpkg-deb -f "$paquet" Package Version Architecture Maintainer Installed-Size Depends Recommends
contenu=$(dpkg-deb -c "$paquet" | awk '{ print $6 }')
echo "Contenu : $(grep -c '\.h$' <<<"$contenu") en-têtes, $(grep -c '\.a$' <<<"$contenu") bibliothèques statiques"
grep -E 'cmake/Graphique/|/bin/|/designer/' <<<"$contenu" | sed 's/^/  /'
# L'état privé des classes n'est pas installé : un hôte ne peut en dépendre.
if grep -E 'Prive\.h$' <<<"$contenu"; then
  echo "Le paquet contient des en-têtes privés." >&2
  exit 1
fi
# Ni tests ni mesures dans le paquet.
if grep -E '/(tests|bench)_[^/]*$' <<<"$contenu"; then
  echo "Le paquet contient des tests ou des mesures." >&2
  exit 1
fi
for attendu in /usr/bin/graphique /usr/lib/graphique/graphique-commandes /usr/share/graphique/aide/KOR_help.htm \
  /usr/share/graphique/aide/docs_kor/portail.htm /usr/lib/systemd/system/graphique-portail.service \
  /usr/share/graphique/nginx/graphique-portail.conf /usr/lib/cmake/Graphique/GraphiqueConfig.cmake /usr/include/graphique/control/CtlGraphique.h; do
  grep -qE "^\.$attendu\$" <<<"$contenu" || { echo "Absent du paquet : $attendu" >&2; exit 1; }
done
# Le service du portail est livré, jamais activé par le paquet : ni lien d'activation, ni script qui l'active.
if grep -E '/etc/systemd/system/' <<<"$contenu" || dpkg-deb -I "$paquet" postinst 2>/dev/null | grep -q 'systemctl'; then
  echo "Le paquet active le service du portail." >&2
  exit 1
fi
# Le programme installé répond de son portail.
"$prefixe/bin/graphique" serveur --aide | grep -q -- '--processus' || { echo "L'aide du portail manque au programme installé." >&2; exit 1; }
# Le greffon, quand il a été construit (fichiers de développement de Designer présents).
if [ -f "$construction/plugins/designer/libgraphique_designer.so" ] && ! grep -qE '/designer/libgraphique_designer\.so$' <<<"$contenu"; then
  echo "Le greffon de Qt Designer manque au paquet." >&2
  exit 1
fi
echo "Vérification du paquet faite en $((SECONDS - debut)) s."
