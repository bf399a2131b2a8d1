# Keeps the includes pointing downwards: each folder may include only the layers below it.
#   app/                    everything
#   language/, arithmetic/  frame, ui, core, platform (never app/ nor each other)
#   frame/                  ui, core, platform
#   core/, ui/              platform (core/ only Qt Core headers, no widgets)
#   platform/               nothing of ours
# Usage: cmake -DSOURCE_DIR=<tree> -DQTCORE_DIR=<QtCore include folder> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.21)
set(below_platform platform)
set(below_core platform core)
set(below_ui platform ui)
set(below_frame platform core ui frame)
set(below_language platform core ui frame language)
set(below_arithmetic platform core ui frame arithmetic)
set(below_app platform core ui frame language arithmetic app)

set(faults "")
foreach(layer platform core ui frame language arithmetic app)
    file(GLOB_RECURSE files "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
    foreach(file IN LISTS files)
        file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
        file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS includes)
            if(line MATCHES "include[ \t]*\"([a-z]+)/" AND NOT CMAKE_MATCH_1 IN_LIST below_${layer})
                string(APPEND faults "${name}: ${line} (${layer}/ may not include ${CMAKE_MATCH_1}/)\n")
            elseif(layer STREQUAL "core" AND line MATCHES "include[ \t]*<(Q[A-Za-z]*)>")
                if(NOT EXISTS "${QTCORE_DIR}/${CMAKE_MATCH_1}")
                    string(APPEND faults "${name}: ${line} (core/ uses Qt Core only)\n")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes that point up a layer:\n${faults}")
endif()
message(STATUS "Every include points down a layer.")
