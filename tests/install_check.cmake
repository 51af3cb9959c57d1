# Installs the build into a scratch prefix and checks that every file lands
# in its standard directory and that the installed program runs.
# -DBUILD_DIR=<build tree> -DPREFIX=<scratch prefix>
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(file IN ITEMS
    bin/tarvek-docs
    bin/tarvek-make-testdb
    share/man/man1/tarvek-docs.1.gz
    share/man/man1/tarvek-make-testdb.1.gz
    share/doc/tarvek-docs/README.md
    share/doc/tarvek-docs/copyright
    share/doc/tarvek-docs/changelog.gz
    share/doc/tarvek-docs/sample-databases.md
    share/tarvek-docs/testdb/main_schema.sql
    share/tarvek-docs/testdb/main_sample.sql
    share/tarvek-docs/testdb/receber_schema.sql
    share/tarvek-docs/testdb/receber_sample.sql)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
execute_process(COMMAND ${PREFIX}/bin/tarvek-docs --version
  RESULT_VARIABLE status OUTPUT_VARIABLE version)
if(NOT status EQUAL 0 OR NOT version MATCHES "^tarvek-docs [0-9]+\\.[0-9]+\\.[0-9]+")
  message(FATAL_ERROR "the installed program answered ${status}: ${version}")
endif()
file(REMOVE_RECURSE ${PREFIX})
