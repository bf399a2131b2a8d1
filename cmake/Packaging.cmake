# Tambolino as a desktop program: command line, menu entry, icons, AppStream metainfo, manual
# page and the Debian package. Included at the end of the top-level CMakeLists.txt, after the
# `tambolino` target and include(CTest).

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

# --- Icons

# The window's own SVG, rendered by Qt's SVG renderer into the sizes the icon theme asks for.
set(icon_source ${PROJECT_SOURCE_DIR}/data/images/tambolino.svg)
set(icon_sizes 16 24 32 48 64 128 256)
set(icon_dir ${CMAKE_BINARY_DIR}/icons/hicolor)

qt_add_executable(tambolino_render_icon ${packaging_dir}/render-icon.cpp)
target_link_libraries(tambolino_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(tambolino_render_icon PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(icon_files)
foreach(size IN LISTS icon_sizes)
    list(APPEND icon_files ${icon_dir}/${size}x${size}/apps/${TAMBOLINO_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_files}
    COMMAND tambolino_render_icon ${icon_source} ${icon_dir} ${TAMBOLINO_APP_ID} ${icon_sizes}
    DEPENDS tambolino_render_icon ${icon_source}
    COMMENT "Rendering the program icon"
    VERBATIM)

# --- Manual page and package documents

# Debian keeps manual pages and changelogs compressed; -n leaves out the time stamp.
set(man_page ${CMAKE_BINARY_DIR}/packaging/tambolino.1.gz)
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${man_page} ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\" && gzip -9nc \"$3\" > \"$4\"" sh
            ${packaging_dir}/tambolino.1 ${man_page} ${packaging_dir}/changelog ${changelog}
    DEPENDS ${packaging_dir}/tambolino.1 ${packaging_dir}/changelog
    VERBATIM)

add_custom_target(tambolino_desktop_files ALL DEPENDS ${icon_files} ${man_page} ${changelog})

# --- Installation

# A stripped installation (as in the package) also drops the compiler's notes, as dh_strip does.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(file tambolino module/tambolino-progress.so)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TAMBOLINO_INSTALL_DIR}/\${file}\")
        endforeach()
    endif()")
install(FILES ${packaging_dir}/${TAMBOLINO_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/${TAMBOLINO_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${icon_source}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${TAMBOLINO_APP_ID}.svg)
foreach(size IN LISTS icon_sizes)
    install(FILES ${icon_dir}/${size}x${size}/apps/${TAMBOLINO_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_dir}/copyright ${changelog}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tambolino)

# --- Debian package: cpack -G DEB

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tambolino)
set(CPACK_PACKAGE_VENDOR "Das Tambolino-Team")
set(CPACK_PACKAGE_CONTACT "Das Tambolino-Team <team@tambolino.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drill program for German and arithmetic at primary school")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tambolino offers primary-school children twelve short exercises with a\n"
    "German user interface: eight on the German language (copying texts at\n"
    "the keyboard, word puzzle, missing letters, diminutives, riddles, verb\n"
    "forms, tenses, word pairs) and four on arithmetic (mental arithmetic,\n"
    "chain tasks, times tables, division). Every exercise keeps a score; the\n"
    "scores are kept between runs and can be saved per child.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tambolino.example/")
# Qt and the C++ runtime come from dpkg-shlibdeps; these are read at run time only, the SQLite
# driver of the practice journal among them, a plugin that no linker sees.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n, libqt6sql6-sqlite")
# Help pages and the web link open in the browser through xdg-open; the PostgreSQL driver
# serves a school's journal server.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libqt6sql6-psql")
include(CPack)
