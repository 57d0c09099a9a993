# Le contrôle comme bibliothèque d'autres programmes Qt : en-têtes, bibliothèques
# statiques et paquet CMake (find_package(Graphique) puis Graphique::controle).
include(CMakePackageConfigHelpers)

# Ce qu'un hôte relie : le contrôle, et les bases concrètes (SQLite, PostgreSQL)
# sans lesquelles il n'a rien à charger.
add_library(graphique_controle INTERFACE)
target_link_libraries(graphique_controle INTERFACE graphique_control graphique_bases)
set_target_properties(graphique_controle PROPERTIES EXPORT_NAME controle)
add_library(Graphique::controle ALIAS graphique_controle)
install(TARGETS graphique_controle EXPORT GraphiqueCibles COMPONENT bibliotheque)

# Les seuls en-têtes d'un hôte : l'interface des contrôles, la collection de
# courbes, la base qu'il leur confie, et ce qu'ils incluent. L'état des classes
# est dans des fichiers « …Prive.h » qui ne sont pas installés : un membre ajouté
# ne change pas ce qu'un hôte a compilé. Un en-tête installé n'inclut qu'un
# en-tête installé (examples/hote-minimal les compile chacun seul).
set(GRAPHIQUE_ENTETES_INSTALLES
  commun/CodesGraphique.h
  commun/ColonneTypee.h
  commun/ColonnesTypees.h
  commun/TableauValeurs.h
  commun/TypeGraph.h
  control/ChampDate.h
  control/CtlGraphique.h
  control/CtlToolBar.h
  control/EnteteStations.h
  control/ListeStations.h
  data/BaseDonnees.h
  data/ColonneTable.h
  data/NomVerifie.h
  data/OrdreSql.h
  data/bases/BaseExemple.h
  data/bases/OuvertureBase.h
  model/Classe_Graphique.h
  model/Classe_Graphiques.h
  model/options/GestionExportExcel.h)
foreach(entete IN LISTS GRAPHIQUE_ENTETES_INSTALLES)
  cmake_path(GET entete PARENT_PATH dossier)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${entete} DESTINATION include/graphique/${dossier} COMPONENT bibliotheque)
endforeach()

set(GRAPHIQUE_DOSSIER_CMAKE lib/cmake/Graphique)
install(EXPORT GraphiqueCibles NAMESPACE Graphique:: FILE GraphiqueCibles.cmake
        DESTINATION ${GRAPHIQUE_DOSSIER_CMAKE} COMPONENT bibliotheque)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/GraphiqueConfig.cmake.in
  ${PROJECT_BINARY_DIR}/GraphiqueConfig.cmake INSTALL_DESTINATION ${GRAPHIQUE_DOSSIER_CMAKE})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/GraphiqueConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/GraphiqueConfig.cmake ${PROJECT_BINARY_DIR}/GraphiqueConfigVersion.cmake
        DESTINATION ${GRAPHIQUE_DOSSIER_CMAKE} COMPONENT bibliotheque)

# Le programme en ligne de commande, et celui de ses commandes qu'il lance.
install(TARGETS graphique RUNTIME DESTINATION bin COMPONENT programmes)
install(TARGETS graphique-commandes RUNTIME DESTINATION lib/graphique COMPONENT programmes)

# Le portail : son service systemd (installé, jamais activé par le paquet) et l'exemple de nginx devant lui.
install(FILES ${PROJECT_SOURCE_DIR}/deploy/systemd/graphique-portail.service DESTINATION lib/systemd/system COMPONENT programmes)
install(FILES ${PROJECT_SOURCE_DIR}/deploy/nginx/graphique-portail.conf DESTINATION share/graphique/nginx COMPONENT programmes)
