# Installs the program as a desktop program: everything it loads sits in one
# folder of its own under the prefix's library folder (the executable looks for
# its modules, the USB library and the help document beside itself), the
# command in bin/ is a link to it, and a desktop entry, an icon and the .bas
# file type put it in the desktop's menu and behind a double-click on a program.
include(GNUInstallDirs)
set(qv_install_folder ${CMAKE_INSTALL_LIBDIR}/quorvatine)

install(TARGETS quorvatine qv_window qv_audio qv_network qv_media qelm
        RUNTIME DESTINATION ${qv_install_folder}
        LIBRARY DESTINATION ${qv_install_folder})
install(FILES ${help_file} DESTINATION ${qv_install_folder})

# A relative link, so that the installed tree can be moved or packaged.
file(RELATIVE_PATH qv_link_target ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${qv_install_folder}/quorvatine)
set(qv_command_link ${CMAKE_BINARY_DIR}/install/quorvatine)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install)
file(CREATE_LINK ${qv_link_target} ${qv_command_link} SYMBOLIC)
install(FILES ${qv_command_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

set(qv_desktop ${CMAKE_CURRENT_LIST_DIR}/desktop)
install(FILES ${qv_desktop}/quorvatine.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${qv_desktop}/quorvatine.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${qv_desktop}/quorvatine.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# The desktop's caches learn of the new entry, icon and file type; skipped
# when installing into a staging folder or when the tools are not there.
install(CODE "
    if(NOT DEFINED ENV{DESTDIR} OR \"\$ENV{DESTDIR}\" STREQUAL \"\")
        set(share \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
        find_program(qv_mime update-mime-database)
        find_program(qv_menus update-desktop-database)
        find_program(qv_icons gtk-update-icon-cache)
        if(qv_mime)
            execute_process(COMMAND \${qv_mime} \${share}/mime OUTPUT_QUIET ERROR_QUIET)
        endif()
        if(qv_menus)
            execute_process(COMMAND \${qv_menus} \${share}/applications OUTPUT_QUIET ERROR_QUIET)
        endif()
        if(qv_icons AND EXISTS \${share}/icons/hicolor/index.theme)
            execute_process(COMMAND \${qv_icons} -q -t \${share}/icons/hicolor OUTPUT_QUIET ERROR_QUIET)
        endif()
    endif()
")
