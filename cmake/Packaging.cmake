# Installation and the Debian package. The executable lives in the program folder
# (lib/quorvane) with the files it reads beside it; bin/quorvane links to it, and the
# desktop entry, icons and AppStream metainfo go where desktops look for them.
set(QUORVANE_APP_ID example.tarnwick.Quorvane)
set(QUORVANE_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)

if(TARGET quorvane)
    install(TARGETS quorvane RUNTIME DESTINATION ${QUORVANE_PROGRAM_DIR})

    # bin/quorvane: a relative link, so the installed tree can move as a whole.
    file(RELATIVE_PATH QUORVANE_LINK_TARGET /${CMAKE_INSTALL_BINDIR} /${QUORVANE_PROGRAM_DIR}/quorvane)
    install(CODE "
        set(bin_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(MAKE_DIRECTORY \"\${bin_dir}\")
        file(REMOVE \"\${bin_dir}/quorvane\")
        file(CREATE_LINK \"${QUORVANE_LINK_TARGET}\" \"\${bin_dir}/quorvane\" SYMBOLIC)
        message(STATUS \"Installing: \${bin_dir}/quorvane -> ${QUORVANE_LINK_TARGET}\")")
endif()

if(QUORVANE_GUI)
    # The icon files that the IE Tools menu entry names, beside the executable.
    install(FILES ${QUORVANE_ICON_DIR}/icon.ico ${QUORVANE_ICON_DIR}/hoticon.ico
            DESTINATION ${QUORVANE_PROGRAM_DIR})
    foreach(size 128 64 48 32 16)
        install(FILES ${QUORVANE_ICON_DIR}/quorvane-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${QUORVANE_APP_ID}.png)
    endforeach()
endif()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icon/quorvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUORVANE_APP_ID}.svg)
install(FILES ${QUORVANE_DESKTOP_DIR}/${QUORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUORVANE_DESKTOP_DIR}/${QUORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Tarnwick Downloads")
set(CPACK_PACKAGE_CONTACT "Tarnwick Downloads <packages@tarnwick.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Web browser that shows what is behind each page")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane shows each page six ways: the page itself, the HTML of its body as readable\ntext with image file names linked, a page of every image it displays, the page exactly\nas the server sent it, a list of every image with its sizes, bytes and type, and a list\nof every request the page made.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://tarnwick.example")
set(CPACK_STRIP_FILES ON)
include(CPack)
