# Checks of the tree itself, run with the tests: the direction of includes and the formatting.
set(tambolino_code_folders app arithmetic bench core frame fuzz language platform tests ui)

if(BUILD_TESTING)
    get_target_property(qtcore_includes Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
    list(FILTER qtcore_includes INCLUDE REGEX "QtCore$")
    tambolino_core_only_files(core_only)
    string(REPLACE ";" "," core_only "${core_only}")
    add_test(NAME include_layers
        COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DQTCORE_DIR=${qtcore_includes}
                -DCORE_ONLY=${core_only} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
endif()

find_program(CLANG_FORMAT NAMES clang-format clang-format-14)
if(CLANG_FORMAT)
    set(code_globs)
    foreach(folder IN LISTS tambolino_code_folders)
        list(APPEND code_globs ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    endforeach()
    file(GLOB_RECURSE code_files CONFIGURE_DEPENDS ${code_globs})
    add_custom_target(format COMMAND ${CLANG_FORMAT} -i ${code_files}
        COMMENT "Formatting the code with clang-format" VERBATIM)
    if(BUILD_TESTING)
        add_test(NAME formatted COMMAND ${CLANG_FORMAT} --dry-run --Werror ${code_files})
    endif()
endif()
