# quorvane_main_window: the windows and the real browser elements on WebKitGTK.
add_library(quorvane_main_window STATIC
    ${CMAKE_CURRENT_LIST_DIR}/webview_browser_element.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webview_find_and_zoom.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webkit_downloads.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_frame_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_frame_layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_frame_surface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/find_bar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/splash_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorvane_app.cpp)
target_include_directories(quorvane_main_window PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvane_main_window PUBLIC
    quorvane_main_logic quorvane_branding_gui quorvane_desktop_gui quorvane_registry
    ${wxWidgets_LIBRARIES} PkgConfig::WEBKIT)

# The program, in build*/bin/, with its start page and splash picture beside it.
add_executable(quorvane ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(quorvane PRIVATE quorvane_main_window)
file(GLOB QUORVANE_HOME_PAGE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/home/*)
quorvane_ship_beside_program(${QUORVANE_HOME_PAGE_FILES}
                             ${PROJECT_SOURCE_DIR}/resources/pictures/splash.png)
