# Installing Pinvale 3 as a desktop program, and its Debian package (cpack).
include(GNUInstallDirs)

set(PVL3_APP_ID org.pinvale.Pinvale3)
set(PVL3_RES ${CMAKE_SOURCE_DIR}/resources)
set(PVL3_GEN ${CMAKE_BINARY_DIR}/resources)

# The tray icon is shown through StatusNotifierItem over D-Bus where the desktop has a host for it.
if(NOT QT_FEATURE_dbus)
    message(FATAL_ERROR "Qt was built without D-Bus: the tray icon would be missing on KDE, XFCE and GNOME")
endif()

# The application icon: PNGs in every size a desktop asks for, made from the drawn SVG.
# ImageMagick's own SVG reader draws the gradients black, so rsvg-convert it is.
find_program(PVL3_RSVG rsvg-convert)
if(NOT PVL3_RSVG)
    message(FATAL_ERROR "rsvg-convert makes the icons: apt-get install librsvg2-bin (scripts/deps.sh does)")
endif()
set(PVL3_ICON_PNGS)
foreach(size 16 22 24 32 48 64 128 256)
    set(png ${PVL3_GEN}/icons/${size}/${PVL3_APP_ID}.png)
    set(render ${PVL3_RSVG} -w ${size} -h ${size} ${PVL3_RES}/${PVL3_APP_ID}.svg -o ${png})
    add_custom_command(OUTPUT ${png} COMMAND ${CMAKE_COMMAND} -E make_directory ${PVL3_GEN}/icons/${size}
        COMMAND ${render} DEPENDS ${PVL3_RES}/${PVL3_APP_ID}.svg VERBATIM)
    list(APPEND PVL3_ICON_PNGS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Man pages carry the version; Debian wants them compressed.
set(PVL3_MAN_PAGES)
foreach(page pinvale3 pvl3)
    configure_file(${PVL3_RES}/man/${page}.1 ${PVL3_GEN}/man/${page}.1 @ONLY)
    add_custom_command(OUTPUT ${PVL3_GEN}/man/${page}.1.gz
        COMMAND gzip -9nf -k ${PVL3_GEN}/man/${page}.1 DEPENDS ${PVL3_GEN}/man/${page}.1 VERBATIM)
    list(APPEND PVL3_MAN_PAGES ${PVL3_GEN}/man/${page}.1.gz)
endforeach()
configure_file(${PVL3_RES}/${PVL3_APP_ID}.metainfo.xml ${PVL3_GEN}/${PVL3_APP_ID}.metainfo.xml @ONLY)
add_custom_target(desktop_files ALL DEPENDS ${PVL3_ICON_PNGS} ${PVL3_MAN_PAGES})

install(TARGETS pinvale3 pvl3 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS pvl3_sound pvl3_pictures LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/pinvale3)
install(FILES ${PVL3_RES}/${PVL3_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PVL3_RES}/${PVL3_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PVL3_GEN}/${PVL3_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PVL3_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PVL3_RES}/bash-completion/pvl3 DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
# Every user's log-in starts TrayNotes with "/QL"; the program's own option then decides whether it stays.
# Desktops read log-in entries from /etc/xdg/autostart only, so a system-wide install puts it there.
if(CMAKE_INSTALL_PREFIX MATCHES "^/usr(/local)?/?$")
    set(PVL3_AUTOSTART_DEFAULT /etc/xdg/autostart)
else()
    set(PVL3_AUTOSTART_DEFAULT ${CMAKE_INSTALL_SYSCONFDIR}/xdg/autostart)
endif()
set(PVL3_AUTOSTART_DIR ${PVL3_AUTOSTART_DEFAULT} CACHE STRING "Where the log-in entry goes")
install(FILES ${PVL3_RES}/${PVL3_APP_ID}-autostart.desktop DESTINATION ${PVL3_AUTOSTART_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pinvale3)
set(CPACK_PACKAGE_VENDOR "The Pinvale developers")
set(CPACK_PACKAGE_CONTACT "The Pinvale developers <dev@pinvale.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sticky notes on the desktop, shown again when they are due")
set(CPACK_PACKAGE_DESCRIPTION "Pinvale 3 puts short notes on the desktop as note windows, shows them again
at chosen times from an icon in the system tray, and lists them in a manager window. pvl3 reads and
writes the same note files from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A font is all a bare machine lacks beyond the libraries (the X11 platform plugin comes with libqt6gui6);
# a native Wayland run needs Qt's Wayland plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
# A user's change to the log-in entry (Hidden=true, to keep it from starting) survives an upgrade.
if(IS_ABSOLUTE ${PVL3_AUTOSTART_DIR})
    file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "${PVL3_AUTOSTART_DIR}/${PVL3_APP_ID}-autostart.desktop\n")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
endif()
include(CPack)
