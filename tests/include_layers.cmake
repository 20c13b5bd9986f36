# Checks the layers by their #include lines:
#   cmake -DSOURCE_DIR=<checkout> -P include_layers.cmake
# The layers, lowest first: base/ (the rules), desktop/ (the platform's helpers), engine/
# (the engine's contract: what a view is, what it loads, what it reports), the features
# (analysis/, branding/, inspection/, saving/, image_list/, source_changes/, requests/), and
# main_window/, which wires them.
# The base rules and the page analysis include only standard headers and their own, the
# analysis also base/.
# No library without a display (a folder outside gui/) includes a header of wxWidgets,
# GTK, GDK, ATK or WebKit, nor one from a gui/ folder; of gdk-pixbuf, which decodes pictures
# without a display, only the saving does, to convert them. Outside engine/gui/, which speaks
# to the engine, no folder includes a header of WebKit at all. A folder includes only its
# own headers and those of the folders below it that it uses; a gui/ folder also those
# of the gui/ folders of the same ones, but never a gui/ folder of another feature.
cmake_minimum_required(VERSION 3.25)

set(standard_header "^<[a-z_]+>$|^<(fcntl|sched|unistd|stdio|sys/stat|sys/types|sys/resource)\\.h>$")
set(analysis_header "^\"(analysis|base)/[a-z0-9_]+\\.h\"$")
set(window_header "^<(wx|gtk|gdk|atk|webkit2|JavaScriptCore|libsoup)/|^\"[a-z_]+/gui/")
set(pixbuf_header "^<gdk-pixbuf/")
set(engine_header "^<(webkit2|JavaScriptCore|libsoup)/")

# Sets <out> to the included names of <file>, such as <string> or "analysis/text_file.h".
function(included_names file out)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
    set(names "")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "[<\"][^>\"]*[>\"]" name "${line}")
        list(APPEND names "${name}")
    endforeach()
    set(${out} "${names}" PARENT_SCOPE)
endfunction()

# The folders each folder may include, its own besides.
set(features analysis branding inspection saving image_list source_changes requests)
set(uses_base "")
set(uses_desktop base)
set(uses_engine base desktop)
set(uses_analysis base)
set(uses_branding base desktop engine)
set(uses_inspection base desktop engine analysis)
set(uses_saving base desktop engine analysis)
set(uses_image_list base desktop engine analysis inspection saving)
set(uses_source_changes base desktop engine analysis inspection saving)
set(uses_requests base desktop engine analysis branding inspection saving)
set(uses_main_window base desktop engine ${features})

# True in <out> when <file> of <folder> may include the project header <name>.
function(may_include folder file name out)
    string(REGEX MATCH "^\"([a-z_]+)/" prefix "${name}")
    set(${out} TRUE PARENT_SCOPE)
    if(NOT prefix)
        return()
    endif()
    set(used ${CMAKE_MATCH_1})
    string(REGEX MATCH "^\"[a-z_]+/gui/" used_gui "${name}")
    set(allowed ${folder} ${uses_${folder}})
    set(other_feature_gui FALSE)
    if(used_gui AND folder IN_LIST features AND used IN_LIST features
       AND NOT used STREQUAL folder)
        set(other_feature_gui TRUE)
    endif()
    if(used IN_LIST allowed AND (NOT used_gui OR file MATCHES "/gui/") AND NOT other_feature_gui)
        return()
    endif()
    set(${out} FALSE PARENT_SCOPE)
endfunction()

set(faults "")
foreach(folder base desktop engine ${features} main_window)
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
         ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(file IN LISTS files)
        included_names(${SOURCE_DIR}/${file} names)
        foreach(name IN LISTS names)
            may_include(${folder} ${file} "${name}" allowed)
            if(NOT allowed)
                list(APPEND faults "${file} includes ${name}, from a folder it may not use")
            elseif(NOT folder STREQUAL "engine" AND name MATCHES "${engine_header}")
                list(APPEND faults "${file} includes ${name}, which only engine/gui/ may")
            endif()
        endforeach()
    endforeach()
endforeach()

foreach(folder base desktop engine ${features} main_window)
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
         ${SOURCE_DIR}/${folder}/*.cpp)
    list(FILTER files EXCLUDE REGEX "/gui/")
    if(NOT files)
        message(FATAL_ERROR "No sources in ${SOURCE_DIR}/${folder}")
    endif()
    foreach(file IN LISTS files)
        included_names(${SOURCE_DIR}/${file} names)
        foreach(name IN LISTS names)
            if(name MATCHES "${window_header}")
                list(APPEND faults "${file} includes ${name}, a window header")
            elseif(name MATCHES "${pixbuf_header}" AND NOT folder STREQUAL "saving")
                list(APPEND faults "${file} includes ${name}, which only saving/ may without a display")
            elseif(folder MATCHES "^(analysis|base)$" AND NOT name MATCHES "${standard_header}"
                   AND NOT name MATCHES "${analysis_header}")
                list(APPEND faults "${file} includes ${name}, outside the page analysis")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "${text}")
endif()
