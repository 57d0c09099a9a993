# Les en-têtes de Qt que presque chaque fichier lit, précompilés une fois par
# cible : la construction passe le plus clair de son temps à les relire.
set(GRAPHIQUE_ENTETES_COMMUNS <QString> <QStringList> <QVariant> <QList> <QHash> <QMap> <QDateTime> <QObject> <memory> <optional>)

# Une bibliothèque statique par dossier de src/ : graphique_<nom>.
function(graphique_bibliotheque nom)
  cmake_parse_arguments(A "" "" "SOURCES;DEPEND" ${ARGN})
  add_library(graphique_${nom} STATIC ${A_SOURCES})
  # Installées, les bibliothèques lisent leurs en-têtes sous include/graphique,
  # rangés dans les mêmes dossiers que src/.
  target_include_directories(graphique_${nom} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src> $<INSTALL_INTERFACE:include/graphique>)
  target_link_libraries(graphique_${nom} PUBLIC ${A_DEPEND})
  target_precompile_headers(graphique_${nom} PRIVATE ${GRAPHIQUE_ENTETES_COMMUNS})
  # Le greffon de Qt Designer, une bibliothèque partagée, les reprend.
  set_target_properties(graphique_${nom} PROPERTIES POSITION_INDEPENDENT_CODE ON EXPORT_NAME ${nom})
  install(TARGETS graphique_${nom} EXPORT GraphiqueCibles ARCHIVE DESTINATION lib COMPONENT bibliotheque)
endfunction()

# Un programme GoogleTest par dossier de tests/.
# PREFIXE : devant le nom de chaque test dans CTest, quand un autre programme
# compile les mêmes sources de tests ; ETIQUETTE : l'étiquette CTest, le nom
# du programme par défaut.
function(graphique_tests nom)
  cmake_parse_arguments(A "" "PREFIXE;ETIQUETTE" "SOURCES;DEPEND" ${ARGN})
  if(NOT A_ETIQUETTE)
    set(A_ETIQUETTE ${nom})
  endif()
  add_executable(tests_${nom} ${A_SOURCES} ${PROJECT_SOURCE_DIR}/tests/commun_tests/PrincipalTests.cpp)
  target_include_directories(tests_${nom} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(tests_${nom} PRIVATE ${A_DEPEND} GTest::gtest Qt6::Widgets)
  target_precompile_headers(tests_${nom} PRIVATE ${GRAPHIQUE_ENTETES_COMMUNS} <QWidget> <gtest/gtest.h>
                            ${PROJECT_SOURCE_DIR}/tests/commun_tests/ImpressionQt.h)
  gtest_discover_tests(tests_${nom}
    TEST_PREFIX "${A_PREFIXE}"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${A_ETIQUETTE}"
    DISCOVERY_TIMEOUT 30)
endfunction()
