# quorvane_main_logic: the main window's logic without a display (layout, views,
# navigation commands, browser events, page analysis of the Browser view, find, zoom,
# saving images and the files that downloads and saved images are written to).
add_library(quorvane_main_logic STATIC
    ${CMAKE_CURRENT_LIST_DIR}/address_to_load.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window_controller.cpp
    ${CMAKE_CURRENT_LIST_DIR}/commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/navigation_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/analyse_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/page_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/find_in_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zoom_ladder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image_saving.cpp
    ${CMAKE_CURRENT_LIST_DIR}/images_to_save.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data_url.cpp
    ${CMAKE_CURRENT_LIST_DIR}/partial_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/saved_file_name.cpp
    ${CMAKE_CURRENT_LIST_DIR}/transfer_messages.cpp)
target_include_directories(quorvane_main_logic PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvane_main_logic PUBLIC quorvane_analysis quorvane_branding
                      quorvane_platform PRIVATE PkgConfig::GLIB)
