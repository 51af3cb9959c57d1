# Installation in the standard directories, and the Debian package
# (tools/package): the program, its manual, README and copyright, and the
# sample-database builder with its data, which lets a shop try an
# installation on sample databases instead of its own.
include(GNUInstallDirs)

install(TARGETS tarvek-docs tarvek-make-testdb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/tools/testdb/main_schema.sql
  ${PROJECT_SOURCE_DIR}/tools/testdb/main_sample.sql
  ${PROJECT_SOURCE_DIR}/tools/testdb/receber_schema.sql
  ${PROJECT_SOURCE_DIR}/tools/testdb/receber_sample.sql
  DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvek-docs/testdb)

# Manual pages and the changelog compressed as Debian keeps them.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(source IN ITEMS doc/tarvek-docs.1 doc/tarvek-make-testdb.1 doc/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${PROJECT_BINARY_DIR}/doc/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
    COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/${source} > ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(tarvek-docs-manual ALL DEPENDS ${compressed})
install(FILES ${PROJECT_BINARY_DIR}/doc/tarvek-docs.1.gz ${PROJECT_BINARY_DIR}/doc/tarvek-make-testdb.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/doc/copyright
  ${PROJECT_BINARY_DIR}/doc/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/tools/testdb/README.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME sample-databases.md)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvek-docs)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tarvek maintainers <tarvek-docs@example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from the binaries; the fonts the texts are measured with and the
# embedded database engine are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, firebird3.0-server-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "documents of the Tarvek ERP: boletos, service orders")
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Started by the Tarvek retail and repair-shop ERP with one instruction
string, tarvek-docs reads the ERP's Firebird databases and lays out a
document: Brazilian bank payment slips (boletos) of several banks,
vehicle-repair service orders, quotes and mechanic authorisations, and
conditional-sale documents. It writes the document as a PDF and records
its path for the ERP, or opens a print preview.")
include(CPack)
