# quorvane_main_logic: the main window's logic without a display (layout, views,
# navigation commands, browser events, page analysis of the Browser view).
add_library(quorvane_main_logic STATIC
    ${CMAKE_CURRENT_LIST_DIR}/layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/twips.cpp)
target_include_directories(quorvane_main_logic PUBLIC ${PROJECT_SOURCE_DIR})
