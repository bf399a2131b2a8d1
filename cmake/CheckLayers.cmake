# Keeps the includes pointing downwards where the build cannot see it. The build refuses an
# include of a layer that a target does not link; this check adds what a compiler lets pass:
#   - a relative path ("../app/MainWindow.h" finds the file beside the including one);
#   - our headers in angle brackets (<app/MainWindow.h>);
#   - each folder includes only the layers below it:
#       app/                    everything
#       language/, arithmetic/  frame, ui, core, platform (never app/ nor each other)
#       frame/                  ui, core, platform
#       core/, ui/              platform
#       platform/               nothing of ours
#   - code that links Qt Core alone names no header of another Qt module (<QtWidgets/QWidget>
#     is found through Qt's include root) and none of our files outside such code.
# Usage: cmake -DSOURCE_DIR=<tree> -DQTCORE_DIR=<QtCore include folder>
#              -DCORE_ONLY=<files relative to the tree, separated by commas> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.21)
set(layers platform core ui frame language arithmetic app)
set(below_platform platform)
set(below_core platform core)
set(below_ui platform ui)
set(below_frame platform core ui frame)
set(below_language platform core ui frame language)
set(below_arithmetic platform core ui frame arithmetic)
set(below_app ${layers})
string(REPLACE "," ";" core_only "${CORE_ONLY}")

set(faults "")
foreach(layer IN LISTS layers)
    file(GLOB_RECURSE files "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
    foreach(file IN LISTS files)
        file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
        set(plain_qt_only OFF)
        if(name IN_LIST core_only)
            set(plain_qt_only ON)
        endif()
        file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS includes)
            if(NOT line MATCHES "include[ \t]*([<\"])([^>\"]*)[>\"]")
                continue()
            endif()
            set(bracket "${CMAKE_MATCH_1}")
            set(path "${CMAKE_MATCH_2}")
            set(first "")
            if(path MATCHES "^([A-Za-z_]+)/")
                set(first "${CMAKE_MATCH_1}")
            endif()
            if(path MATCHES "(^|/)\\.\\.?/")
                string(APPEND faults "${name}: ${line} (a relative path; name the layer)\n")
            elseif(first IN_LIST layers AND bracket STREQUAL "<")
                string(APPEND faults "${name}: ${line} (our headers stand in quotes)\n")
            elseif(first IN_LIST layers AND NOT first IN_LIST below_${layer})
                string(APPEND faults "${name}: ${line} (${layer}/ may not include ${first}/)\n")
            elseif(plain_qt_only AND first IN_LIST layers AND NOT path IN_LIST core_only)
                string(APPEND faults "${name}: ${line} (code on Qt Core alone includes a "
                                     "file that is not)\n")
            elseif(plain_qt_only AND bracket STREQUAL "<" AND path MATCHES "^Qt[A-Za-z]*/"
                   AND NOT path MATCHES "^QtCore/")
                string(APPEND faults "${name}: ${line} (this code uses Qt Core only)\n")
            elseif(plain_qt_only AND bracket STREQUAL "<" AND path MATCHES "^Q[A-Za-z]*$"
                   AND NOT EXISTS "${QTCORE_DIR}/${path}")
                string(APPEND faults "${name}: ${line} (this code uses Qt Core only)\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes that point up a layer:\n${faults}")
endif()
message(STATUS "Every include points down a layer.")
