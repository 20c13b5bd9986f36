# The catalog of the program's texts for translators (po/quorvane.pot in the build folder),
# made from the texts the sources mark, and the locale folder beside the program, with a
# quorvane.mo for each language po/LINGUAS names.
find_program(XGETTEXT xgettext REQUIRED)
find_program(MSGFMT msgfmt REQUIRED)

set(QUORVANE_POT ${CMAKE_BINARY_DIR}/po/quorvane.pot)
file(GLOB_RECURSE QUORVANE_TRANSLATED_SOURCES RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/base/*.cpp ${PROJECT_SOURCE_DIR}/desktop/*.cpp
     ${PROJECT_SOURCE_DIR}/engine/*.cpp ${PROJECT_SOURCE_DIR}/analysis/*.cpp
     ${PROJECT_SOURCE_DIR}/branding/*.cpp ${PROJECT_SOURCE_DIR}/inspection/*.cpp
     ${PROJECT_SOURCE_DIR}/saving/*.cpp ${PROJECT_SOURCE_DIR}/source_changes/*.cpp
     ${PROJECT_SOURCE_DIR}/requests/*.cpp ${PROJECT_SOURCE_DIR}/main_window/*.cpp
     ${PROJECT_SOURCE_DIR}/base/*.h
     ${PROJECT_SOURCE_DIR}/desktop/*.h ${PROJECT_SOURCE_DIR}/engine/*.h
     ${PROJECT_SOURCE_DIR}/analysis/*.h ${PROJECT_SOURCE_DIR}/branding/*.h
     ${PROJECT_SOURCE_DIR}/inspection/*.h ${PROJECT_SOURCE_DIR}/saving/*.h
     ${PROJECT_SOURCE_DIR}/source_changes/*.h ${PROJECT_SOURCE_DIR}/requests/*.h
     ${PROJECT_SOURCE_DIR}/main_window/*.h)
list(SORT QUORVANE_TRANSLATED_SOURCES)
add_custom_command(
    OUTPUT ${QUORVANE_POT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/po
    COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 --keyword=_ --keyword=wxTRANSLATE
            --keyword=wxPLURAL:1,2 --keyword=Translated --keyword=Translatable
            --add-comments=TRANSLATORS: --package-name=Quorvane
            --package-version=${PROJECT_VERSION} --msgid-bugs-address=packages@tarnwick.example
            --sort-by-file --output=${QUORVANE_POT} ${QUORVANE_TRANSLATED_SOURCES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    DEPENDS ${QUORVANE_TRANSLATED_SOURCES}
    COMMENT "Making the translators' catalog quorvane.pot"
    VERBATIM)
add_custom_target(quorvane_pot ALL DEPENDS ${QUORVANE_POT})

set(QUORVANE_LOCALE_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale)
file(MAKE_DIRECTORY ${QUORVANE_LOCALE_DIR})
file(STRINGS ${PROJECT_SOURCE_DIR}/po/LINGUAS QUORVANE_LANGUAGES REGEX "^[a-zA-Z_@]+$")
set(QUORVANE_MO_FILES "")
foreach(language IN LISTS QUORVANE_LANGUAGES)
    set(mo ${QUORVANE_LOCALE_DIR}/${language}/LC_MESSAGES/quorvane.mo)
    add_custom_command(
        OUTPUT ${mo}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORVANE_LOCALE_DIR}/${language}/LC_MESSAGES
        COMMAND ${MSGFMT} --check --output-file=${mo} ${PROJECT_SOURCE_DIR}/po/${language}.po
        DEPENDS ${PROJECT_SOURCE_DIR}/po/${language}.po
        VERBATIM)
    list(APPEND QUORVANE_MO_FILES ${mo})
endforeach()
add_custom_target(quorvane_translations ALL DEPENDS ${QUORVANE_MO_FILES})
install(DIRECTORY ${QUORVANE_LOCALE_DIR} DESTINATION ${QUORVANE_PROGRAM_DIR})
