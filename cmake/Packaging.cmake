# The Debian package, made by scripts/package: the installation under /usr,
# its dependencies read from the libraries the programs link, plus the
# libraries the program loads only when it needs them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lirabo)
set(CPACK_PACKAGE_VENDOR Kestrune)
set(CPACK_PACKAGE_CONTACT "Kestrune <support@kestrune.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dictionary and translation program for the desktop")
set(CPACK_PACKAGE_DESCRIPTION
  "Lirabo shows the entries of a dictionary while a word is typed, or as soon
as text is copied in any program, formatted by element. Around that: wildcard
and definition searches, word relations, online dictionaries in the window,
dictionary downloads, a vocabulary trainer, interface languages, layout
presets and a tray icon.
.
The package ships English (WordNet), English-German and German-English
(FreeDict) dictionaries, and makrel with the builder window, which make
dictionaries from tab-separated text, WordNet, dictd and StarDict data.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time: libcurl for downloads and the update check, the
# platform plugins for any window, the web engine's helper process for the
# Internet tab.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4, qt6-qpa-plugins, libqt6webenginecore6-bin")
# Loaded with dlopen when first used, and optional: pronunciation (espeak-ng
# and its voices; the sound server's client library comes with it) and the
# word forms and spelling suggestions (Hunspell).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "xdg-utils, qt6-wayland, libespeak-ng1, espeak-ng-data, libhunspell-1.7-0")
# Japanese, Chinese and Korean dictionaries need a CJK font; few desktops
# lack one, and the full set is large.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-droid-fallback | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What a Debian package must carry besides the program.
find_program(LIRABO_GZIP gzip)
if(LIRABO_GZIP)
  set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz)
  add_custom_command(
    OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog.Debian
    COMMAND ${LIRABO_GZIP} -9nf ${CMAKE_BINARY_DIR}/packaging/changelog.Debian
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
    VERBATIM)
  add_custom_target(lirabo_package_changelog ALL DEPENDS ${changelog})
  install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lirabo)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lirabo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME lirabo)

include(CPack)
