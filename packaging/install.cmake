# Installation and the Debian package, from one set of rules.
#
# Installed layout (under the prefix, /usr for the package):
#   bin/sonavirelle                         the program, alone in bin/
#   share/sonavirelle/silence.wav           data, found from the executable's folder (../share/sonavirelle)
#   share/applications, share/icons/hicolor, share/metainfo, share/man, share/doc/sonavirelle
#   share/mime/packages/sonavirelle-timbre.xml   the .timbre file type, so a double-click opens it
# The installed program writes test.wav in the per-user data folder only.
include(GNUInstallDirs)

set(SONAVIRELLE_COURRIEL "maintainers@users.noreply.c-seed-310c6862.example")
set(SONAVIRELLE_CONTACT "Sonavirelle maintainers <${SONAVIRELLE_COURRIEL}>")
set(SONAVIRELLE_ID "org.sonavirelle.sonavirelle")
# Where the project and its screenshots (docs/) are published (SONAVIRELLE_ADRESSE, set beside the ui
# room, which shows it in "À propos"); named in the AppStream metadata.
set(SONAVIRELLE_PAQUET ${CMAKE_BINARY_DIR}/paquet)
set(SONAVIRELLE_DOC ${CMAKE_INSTALL_DATADIR}/doc/sonavirelle)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# --- Generated files: PNG icons from the SVG, compressed manual pages and changelog ---------
set(SONAVIRELLE_TAILLES_ICONE 16 22 24 32 48 64 128 256)
add_executable(sonavirelle_icones ${CMAKE_CURRENT_LIST_DIR}/icones.cpp)
target_link_libraries(sonavirelle_icones PRIVATE Qt6::Gui Qt6::Svg)
set(SONAVIRELLE_PNG)
foreach(taille ${SONAVIRELLE_TAILLES_ICONE})
    list(APPEND SONAVIRELLE_PNG ${SONAVIRELLE_PAQUET}/icones/${taille}x${taille}/apps/sonavirelle.png)
endforeach()
add_custom_command(OUTPUT ${SONAVIRELLE_PNG}
    COMMAND sonavirelle_icones ${CMAKE_SOURCE_DIR}/resources/icone.svg ${SONAVIRELLE_PAQUET}/icones
            ${SONAVIRELLE_TAILLES_ICONE}
    DEPENDS sonavirelle_icones ${CMAKE_SOURCE_DIR}/resources/icone.svg
    COMMENT "Rendering the PNG icons" VERBATIM)

configure_file(${CMAKE_CURRENT_LIST_DIR}/sonavirelle.6.in ${SONAVIRELLE_PAQUET}/man/sonavirelle.6 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/sonavirelle.fr.6.in ${SONAVIRELLE_PAQUET}/man/fr/sonavirelle.6 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright ${SONAVIRELLE_PAQUET}/copyright @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/sonavirelle.metainfo.xml.in
               ${SONAVIRELLE_PAQUET}/${SONAVIRELLE_ID}.metainfo.xml @ONLY)
# Debian wants these compressed at the maximum, without a timestamp or a name inside (-9n).
set(SONAVIRELLE_GZ)
foreach(paire "man/sonavirelle.6" "man/fr/sonavirelle.6")
    list(APPEND SONAVIRELLE_GZ ${SONAVIRELLE_PAQUET}/${paire}.gz)
    add_custom_command(OUTPUT ${SONAVIRELLE_PAQUET}/${paire}.gz
        COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${SONAVIRELLE_PAQUET}/${paire} ${SONAVIRELLE_PAQUET}/${paire}.gz
        DEPENDS ${SONAVIRELLE_PAQUET}/${paire} VERBATIM)
endforeach()
list(APPEND SONAVIRELLE_GZ ${SONAVIRELLE_PAQUET}/changelog.Debian.gz)
add_custom_command(OUTPUT ${SONAVIRELLE_PAQUET}/changelog.Debian.gz
    COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${CMAKE_CURRENT_LIST_DIR}/changelog
            ${SONAVIRELLE_PAQUET}/changelog.Debian.gz
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog VERBATIM)
# Part of "all" (scripts/test, the package), not of the program alone (scripts/run).
add_custom_target(sonavirelle_fichiers_paquet ALL DEPENDS ${SONAVIRELLE_PNG} ${SONAVIRELLE_GZ})

# --- Install rules ---------------------------------------------------------------------------
install(TARGETS sonavirelle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (the package) also drops the compiler's version note, as Debian's own tools do.
if(CMAKE_OBJCOPY)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/sonavirelle\")
    endif()")
endif()
# silence.wav is data: beside the other installed data, found from the executable's folder.
install(FILES ${CMAKE_SOURCE_DIR}/resources/silence.wav DESTINATION ${CMAKE_INSTALL_DATADIR}/sonavirelle)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/sonavirelle.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icone.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME sonavirelle.svg)
install(DIRECTORY ${SONAVIRELLE_PAQUET}/icones/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/sonavirelle-timbre.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${SONAVIRELLE_PAQUET}/${SONAVIRELLE_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${SONAVIRELLE_PAQUET}/man/sonavirelle.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${SONAVIRELLE_PAQUET}/man/fr/sonavirelle.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/fr/man6)
install(FILES ${SONAVIRELLE_PAQUET}/copyright ${SONAVIRELLE_PAQUET}/changelog.Debian.gz
        DESTINATION ${SONAVIRELLE_DOC})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME sonavirelle)

# --- Debian package --------------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sonavirelle)
set(CPACK_PACKAGE_VENDOR "Sonavirelle")
set(CPACK_PACKAGE_CONTACT "${SONAVIRELLE_CONTACT}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A Debian revision of its own (1.0-1), as the changelog's top entry says.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SONAVIRELLE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SONAVIRELLE_ADRESSE}")
# Debian descriptions are in English; synopsis then lines of at most 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "understand the timbre of a musical sound
Sonavirelle is a teaching tool that shows what the timbre of a musical
sound is. You build a periodic sound from at most ten sine components by
clicking in its spectrum, drag the fundamental to change the pitch, pick a
note on a piano keyboard, and see the spectrum and the waveform side by side
while the sound plays in a loop.
.
The program's texts are in French, or in English when the system's
language is English.")
# The captions are laid out for Calibri and Arial; these ship fonts with the same widths. Qt's own
# dialogs and shortcut names speak the program's language from qt6-translations-l10n.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-crosextra-carlito, fonts-liberation2, qt6-translations-l10n")
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
