# Installation and the Debian package, from one set of rules.
include(GNUInstallDirs)

install(TARGETS sonavirelle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program plays silence.wav from its own folder to end the loop, so it goes beside
# the executable. Taken from the build folder, where the build puts the copy the program uses.
install(FILES ${CMAKE_BINARY_DIR}/silence.wav DESTINATION ${CMAKE_INSTALL_BINDIR} OPTIONAL)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/sonavirelle.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icone.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME sonavirelle.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sonavirelle)
set(CPACK_PACKAGE_VENDOR "Sonavirelle")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Comprendre le timbre d'un son musical")
set(CPACK_PACKAGE_DESCRIPTION "Synthétiseur additif pédagogique : jusqu'à dix composantes \
sinusoïdales, leur spectre, la forme d'onde et le son obtenu, joué en boucle.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Sonavirelle")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The captions are laid out for Calibri and Arial; these ship fonts with the same widths.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-crosextra-carlito, fonts-liberation2")
find_program(SONAVIRELLE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(SONAVIRELLE_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    # Without dpkg-dev the libraries cannot be read off the executable; name Qt's directly.
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
           ", libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4)"
           ", libqt6multimedia6 (>= 6.4), libqt6svg6 (>= 6.4)")
endif()
include(CPack)
