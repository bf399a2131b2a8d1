# Tambolino as a desktop program: the command line. Included at the end of the top-level
# CMakeLists.txt, after the `tambolino` target and include(CTest).

# --- Command line

add_library(tambolino_commandline STATIC app/CommandLine.cpp app/CommandLine.h)
target_include_directories(tambolino_commandline PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(tambolino_commandline PUBLIC Qt6::Core)
target_compile_definitions(tambolino_commandline PRIVATE
    QT_NO_CAST_FROM_ASCII TAMBOLINO_VERSION="${PROJECT_VERSION}")
target_link_libraries(tambolino PRIVATE tambolino_commandline)

if(BUILD_TESTING)
    qt_add_executable(tst_commandline tests/tst_commandline.cpp)
    target_link_libraries(tst_commandline PRIVATE tambolino_commandline Qt6::Test)
    target_compile_definitions(tst_commandline PRIVATE
        TAMBOLINO_EXE="$<TARGET_FILE:tambolino>" TAMBOLINO_VERSION="${PROJECT_VERSION}")
    add_dependencies(tst_commandline tambolino)
    add_test(NAME tst_commandline COMMAND tst_commandline)
    set_tests_properties(tst_commandline PROPERTIES
        TIMEOUT 60
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endif()
