# One static library per layer; a layer whose rules need Qt Core alone has them in a target of
# their own (tambolino_<layer>_rules, or the whole layer for core/ and platform/).
#
# Headers are addressed "layer/File.h". A layer's include folder in the build tree holds a
# single link, named like the layer, to its source folder; a target sees the include folders of
# the layers it links and no others, so an include that points up a layer does not compile. The
# source root is on no target's include path.
#
# tambolino_layer(<target> <layer> [CORE_ONLY] LINKS <targets>...)
#   CORE_ONLY: the target links Qt Core alone; the include check holds its files to that.
function(tambolino_layer name layer)
    cmake_parse_arguments(ARG "CORE_ONLY" "" "LINKS" ${ARGN})
    set(folder ${PROJECT_BINARY_DIR}/layers/${layer})
    if(NOT IS_SYMLINK ${folder}/${layer})
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${layer} ${folder}/${layer} SYMBOLIC)
    endif()
    add_library(${name} STATIC)
    target_include_directories(${name} PUBLIC ${folder})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    # Program texts are written as QStringLiteral; tests may use plain literals.
    target_compile_definitions(${name} PRIVATE QT_NO_CAST_FROM_ASCII)
    if(ARG_CORE_ONLY)
        set_property(GLOBAL APPEND PROPERTY TAMBOLINO_CORE_ONLY_TARGETS ${name})
    endif()
endfunction()

# The files of the Qt-Core-only targets, relative to the source root.
function(tambolino_core_only_files out)
    get_property(targets GLOBAL PROPERTY TAMBOLINO_CORE_ONLY_TARGETS)
    set(files)
    foreach(target IN LISTS targets)
        get_target_property(sources ${target} SOURCES)
        get_target_property(folder ${target} SOURCE_DIR)
        foreach(source IN LISTS sources)
            if(NOT IS_ABSOLUTE ${source})
                set(source ${folder}/${source})
            endif()
            file(RELATIVE_PATH name ${PROJECT_SOURCE_DIR} ${source})
            list(APPEND files ${name})
        endforeach()
    endforeach()
    set(${out} ${files} PARENT_SCOPE)
endfunction()
