# Paquet Debian (cpack -G DEB) : bibliothèque (en-têtes, bibliothèques
# statiques, paquet CMake), programmes et greffon de Qt Designer.
set(GRAPHIQUE_MAINTENEUR "Mainteneurs de graphique <maintainers@users.noreply.c-seed-3466fde1.example>"
    CACHE STRING "Champ Maintainer du paquet Debian")

set(CPACK_PACKAGE_NAME graphique)
set(CPACK_PACKAGE_VENDOR "graphique")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "composant Qt de graphiques pour la surveillance hydrologique")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GRAPHIQUE_MAINTENEUR}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Le résumé fait la première ligne ; CPack indente le reste et change les
# lignes vides en « . ».
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Graphiques des pluviomètres, piézomètres et stations hydrométriques : pluies
cumulées par période, graphique annuel avec enveloppes, médiane, quintiles et
normales, superpositions, saisie des points de pluie, impression et export.

Le paquet contient le contrôle CtlGraphique à intégrer dans un programme Qt 6
(en-têtes, bibliothèques statiques, paquet CMake Graphique), son greffon pour
Qt Designer, le programme en ligne de commande graphique et, s'il est
construit, l'application graphique-hote.")
# Les dépendances des programmes et du greffon sont calculées
# (dpkg-shlibdeps) ; libpq5, chargée à la demande, est nommée ; celles de qui
# compile contre la bibliothèque, conseillées.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-base-dev, qt6-svg-dev, libsqlite3-dev, libpq-dev, zlib1g-dev, pkg-config, cmake")
# Les polices du graphique : Comic Neue tient lieu de Comic Sans MS (titres, axes, légende),
# DejaVu Sans reprend les textes sans police ; Liberation Sans tient lieu d'Arial dans les classeurs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpq5, fonts-comic-neue, fonts-dejavu-core, fonts-liberation, qt6-translations-l10n")
include(CPack)
