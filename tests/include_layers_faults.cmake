# Checks that include_layers.cmake finds the faults it is there for, on a tree of its own:
#   cmake -DCHECK=<include_layers.cmake> -DWORK_DIR=<folder> -P include_layers_faults.cmake
cmake_minimum_required(VERSION 3.25)

set(tree ${WORK_DIR}/tree)
file(REMOVE_RECURSE ${tree})
# A clean file in every folder: the check wants sources everywhere.
foreach(folder base desktop engine analysis branding inspection saving image_list source_changes requests main_window)
    file(WRITE ${tree}/${folder}/clean.h "#pragma once\n#include <string>\n")
endforeach()

# <file>|<what it includes>|whether the check must call it a fault
set(rows
    "engine/view.h|\"saving/file_fetcher.h\"|fault"
    "engine/gui/view.cpp|\"inspection/served_resource.h\"|fault"
    "engine/gui/engine.cpp|<webkit2/webkit2.h>|clean"
    "engine/gui/downloads.cpp|\"desktop/gui/idle_steps.h\"|clean"
    "engine/contract.h|<webkit2/webkit2.h>|fault"
    "desktop/helper.h|\"engine/browser_element.h\"|fault"
    "analysis/page.h|\"engine/browser_element.h\"|fault"
    "branding/about.h|\"engine/browser_element.h\"|clean"
    "saving/image_saving.h|\"engine/file_fetcher.h\"|clean"
    "saving/reader.h|\"inspection/text_decoding.h\"|fault"
    "saving/conversion.cpp|<gdk-pixbuf/gdk-pixbuf.h>|clean"
    "inspection/picture.cpp|<gdk-pixbuf/gdk-pixbuf.h>|fault"
    "inspection/gui/picture.cpp|<gdk-pixbuf/gdk-pixbuf.h>|clean"
    "inspection/reader.h|\"engine/gui/view.h\"|fault"
    "inspection/gui/list.cpp|\"engine/gui/view.h\"|clean"
    "inspection/gui/source.cpp|\"desktop/gui/twips_size.h\"|clean"
    "saving/gui/progress.cpp|\"inspection/gui/view.h\"|fault"
    "inspection/gui/thumbnail.cpp|<webkit2/webkit2.h>|fault"
    "saving/gui/download.cpp|<libsoup/soup.h>|fault"
    "main_window/gui/frame.cpp|<webkit2/webkit2.h>|fault"
    "source_changes/gui/bar.cpp|\"inspection/gui/view.h\"|fault"
    "source_changes/modes.h|\"inspection/source_reformatting.h\"|clean"
    "main_window/gui/controls.cpp|\"inspection/gui/view.h\"|clean"
    "main_window/controller.h|\"saving/saved_download.h\"|clean"
    "main_window/layout.h|\"engine/gui/view.h\"|fault"
    "image_list/keeper.h|\"saving/image_saving.h\"|clean"
    "image_list/gui/view.cpp|\"inspection/gui/view.h\"|fault"
    "inspection/rows.h|\"image_list/image_list.h\"|fault"
)
foreach(row IN LISTS rows)
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 file)
    list(GET row 1 name)
    file(WRITE ${tree}/${file} "#include ${name}\n")
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -P ${CHECK}
                RESULT_VARIABLE result ERROR_VARIABLE said OUTPUT_VARIABLE said_too)
set(said "${said}${said_too}")
if(result EQUAL 0)
    message(FATAL_ERROR "The check passed a tree with faults")
endif()
set(misses "")
foreach(row IN LISTS rows)
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 file)
    list(GET row 1 name)
    list(GET row 2 expected)
    string(FIND "${said}" "${file} includes ${name}" at)
    if(expected STREQUAL "fault" AND at EQUAL -1)
        list(APPEND misses "missed: ${file} includes ${name}")
    elseif(expected STREQUAL "clean" AND NOT at EQUAL -1)
        list(APPEND misses "called a fault: ${file} includes ${name}")
    endif()
endforeach()
if(misses)
    list(JOIN misses "\n" text)
    message(FATAL_ERROR "${text}\nThe check said:\n${said}")
endif()
