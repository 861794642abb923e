# What an installed program brings beside its executable, and the Debian
# package made of it by CPack (cpack -G DEB in the build folder, or the
# "package" target).
include(GNUInstallDirs)

set(CORV_DIST "${CMAKE_SOURCE_DIR}/dist/linux")

install(FILES "${CORV_DIST}/corvutil.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CORV_DIST}/corvutil.svg" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${CORV_DIST}/corvutil.bash-completion" DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions"
        RENAME corvutil)
install(FILES "${CMAKE_SOURCE_DIR}/README.md" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
install(FILES "${CMAKE_SOURCE_DIR}/LICENSE" DESTINATION "${CMAKE_INSTALL_DOCDIR}" RENAME copyright)

# Manual pages: the release written in, compressed as Debian keeps them.
find_program(GZIP_PROGRAM gzip REQUIRED)
file(GLOB CORV_MAN_PAGES CONFIGURE_DEPENDS "${CORV_DIST}/man/*.1")
set(CORV_MAN_OUTPUTS)
foreach(page ${CORV_MAN_PAGES})
  get_filename_component(name "${page}" NAME)
  set(VERSION "${PROJECT_VERSION}")
  configure_file("${page}" "${CMAKE_BINARY_DIR}/man/${name}" @ONLY)
  add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/man/${name}.gz"
                     COMMAND "${GZIP_PROGRAM}" -9nkf "${CMAKE_BINARY_DIR}/man/${name}"
                     DEPENDS "${CMAKE_BINARY_DIR}/man/${name}" VERBATIM)
  list(APPEND CORV_MAN_OUTPUTS "${CMAKE_BINARY_DIR}/man/${name}.gz")
endforeach()
add_custom_target(manpages ALL DEPENDS ${CORV_MAN_OUTPUTS})
install(FILES ${CORV_MAN_OUTPUTS} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

set(CPACK_PACKAGE_NAME corvutil)
set(CPACK_PACKAGE_VENDOR "corvutil")
set(CPACK_PACKAGE_CONTACT "Sviluppatori di corvutil <corvutil@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Controlli e confronti IVA tra Ardea, Corvina e Nembo")
set(CPACK_PACKAGE_DESCRIPTION "Legge codici IVA, causali, clienti e fornitori, prima nota IVA e liquidazioni \
dal gestionale Ardea, dal prodotto fiscale Corvina e dagli archivi Nembo, li confronta in report di \
testo e corregge cio' che fa scartare le comunicazioni IVA periodiche.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://corvutil.invalid/")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION office)
# The libraries it links are found by dpkg-shlibdeps; the SQL drivers are
# plugins Qt loads by name, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-odbc")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tdsodbc, fonts-liberation")
include(CPack)
