# What `cmake --install` puts below the prefix and the Debian package CPack makes of it
# (scripts/package.sh). The data files go to <prefix>/share/kronoblatt, from where the
# program seeds the user's program directory.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(kb_pkg ${PROJECT_SOURCE_DIR}/packaging)
set(kb_share ${CMAKE_INSTALL_DATADIR}/kronoblatt)

install(TARGETS kronoblatt kronoblatt-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KB_BIN_DIR}/Kalvalues.ini ${KB_BIN_DIR}/schulferien.csv ${KB_BIN_DIR}/KBLogo.bmp
        ${KB_BIN_DIR}/kronoblatt.png "${KB_BIN_DIR}/Einstellungen des Kronoblatt.htm"
        DESTINATION ${kb_share})
install(DIRECTORY ${KB_BIN_DIR}/Hilfe DESTINATION ${kb_share})
install(DIRECTORY ${KB_BIN_DIR}/WappenundLogos DESTINATION ${kb_share})
install(FILES ${KB_BIN_DIR}/Kalenderdaten/Texte.db ${KB_FORMULARE}
        DESTINATION ${kb_share}/Kalenderdaten)
install(FILES ${KB_BIN_DIR}/Designer/designer.db DESTINATION ${kb_share}/Designer)

install(FILES ${kb_pkg}/kronoblatt.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${kb_pkg}/de.ri_dozu.kronoblatt.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${kb_pkg}/kronoblatt.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
set(kb_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/src/shell/kronoblatt-48.png
        DESTINATION ${kb_icons}/48x48/apps RENAME kronoblatt.png)
install(FILES ${kb_pkg}/icons/kronoblatt-128.png
        DESTINATION ${kb_icons}/128x128/apps RENAME kronoblatt.png)
install(FILES ${PROJECT_SOURCE_DIR}/data/kronoblatt.png DESTINATION ${kb_icons}/256x256/apps)
install(FILES ${kb_pkg}/icons/kronoblatt.svg DESTINATION ${kb_icons}/scalable/apps)

# Debian wants the manual pages and the changelog compressed, without a time stamp.
find_program(KB_GZIP gzip REQUIRED)
set(kb_gz ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${kb_gz}/kronoblatt.1.gz ${kb_gz}/kronoblatt-cli.1.gz
                          ${kb_gz}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${kb_gz}
  COMMAND ${KB_GZIP} -9nc ${kb_pkg}/kronoblatt.1 > ${kb_gz}/kronoblatt.1.gz
  COMMAND ${KB_GZIP} -9nc ${kb_pkg}/kronoblatt-cli.1 > ${kb_gz}/kronoblatt-cli.1.gz
  COMMAND ${KB_GZIP} -9nc ${kb_pkg}/changelog > ${kb_gz}/changelog.gz
  DEPENDS ${kb_pkg}/kronoblatt.1 ${kb_pkg}/kronoblatt-cli.1 ${kb_pkg}/changelog)
add_custom_target(kb_packaging_docs ALL DEPENDS ${kb_gz}/kronoblatt.1.gz
                  ${kb_gz}/kronoblatt-cli.1.gz ${kb_gz}/changelog.gz)
install(FILES ${kb_gz}/kronoblatt.1.gz ${kb_gz}/kronoblatt-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${kb_pkg}/copyright ${kb_gz}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kronoblatt)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kronoblatt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kronoblatt-Entwicklerteam <kronoblatt@ri-dozu.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Kalender und Organizer: Jahreskalender anlegen und drucken")
set(CPACK_PACKAGE_DESCRIPTION "Kronoblatt legt für ein Jahr und eines der sechzehn Bundesländer
einen Kalender mit Wochentagen, Kalenderwochen, Feiertagen und
Schulferien an, führt Tagestexte, Tagebuchnotizen, Erinnerungen und
Monatsbilder und druckt Jahres-, Monats-, Wochen- und Tagebuchkalender
sowie eigene Formulare. kronoblatt-cli tut dasselbe ohne Fenster von
der Befehlszeile aus.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.ri-dozu.de/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not name: Qt's window-system plugins, its German catalogues, the
# faces the layouts are mapped to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation, fonts-dejavu-core")
# Opening web pages and files with the desktop's programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
