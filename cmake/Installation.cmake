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

# Tous les en-têtes de src/ : ceux du contrôle en lisent de presque chaque dossier.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/ DESTINATION include/graphique COMPONENT bibliotheque
        FILES_MATCHING PATTERN "*.h")

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
