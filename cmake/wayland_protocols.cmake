# wayland_protocols.cmake -- the Wayland protocols the window platform speaks, generated from
# wayland-protocols' XML by wayland-scanner into the build folder: xdg-shell (the toplevel
# window) and xdg-decoration (server-side decorations where the compositor draws them)
pkg_check_modules(WAYLAND REQUIRED IMPORTED_TARGET wayland-client wayland-cursor wayland-egl xkbcommon
    libdecor-0)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT WAYLAND_PROTOCOLS_DIR OR NOT WAYLAND_SCANNER)
    message(FATAL_ERROR "brinewings: the Wayland window needs wayland-protocols and wayland-scanner "
        "(Debian: wayland-protocols, libwayland-dev)")
endif()

set(BRINEWINGS_WAYLAND_DIR ${PROJECT_BINARY_DIR}/wayland)
set(BRINEWINGS_WAYLAND_SOURCES "")
foreach(protocol stable/xdg-shell/xdg-shell unstable/xdg-decoration/xdg-decoration-unstable-v1)
    get_filename_component(name ${protocol} NAME)
    set(xml ${WAYLAND_PROTOCOLS_DIR}/${protocol}.xml)
    add_custom_command(
        OUTPUT ${BRINEWINGS_WAYLAND_DIR}/${name}-client.h ${BRINEWINGS_WAYLAND_DIR}/${name}.c
        COMMAND ${CMAKE_COMMAND} -E make_directory ${BRINEWINGS_WAYLAND_DIR}
        COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${BRINEWINGS_WAYLAND_DIR}/${name}-client.h
        COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${BRINEWINGS_WAYLAND_DIR}/${name}.c
        DEPENDS ${xml}
        COMMENT "Generating the ${name} protocol")
    list(APPEND BRINEWINGS_WAYLAND_SOURCES ${BRINEWINGS_WAYLAND_DIR}/${name}-client.h
        ${BRINEWINGS_WAYLAND_DIR}/${name}.c)
endforeach()
