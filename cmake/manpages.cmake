# Manual pages, and the Debian changelog and copyright beside the README.
# Sources carry @PROJECT_VERSION@; they are compressed as Debian wants them
# (gzip -9n: no name or time stamp, so the same source gives the same bytes).
find_program(GZIP_PROGRAM gzip REQUIRED)

# Dates of the build day (SOURCE_DATE_EPOCH when set), at a day's precision.
string(TIMESTAMP KTREVA_RELEASE_DATE "%a, %d %b %Y 00:00:00 +0000" UTC)
string(TIMESTAMP KTREVA_MAN_DATE "%Y-%m-%d" UTC)
set(ktreva_docs_out ${PROJECT_BINARY_DIR}/docs)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${ktreva_docs_out}/changelog @ONLY)

set(ktreva_manpages)
foreach(program IN LISTS ktreva_programs)
  configure_file(${PROJECT_SOURCE_DIR}/man/${program}.1.in ${ktreva_docs_out}/${program}.1 @ONLY)
  list(APPEND ktreva_manpages ${ktreva_docs_out}/${program}.1)
endforeach()

set(ktreva_gzipped)
foreach(file IN LISTS ktreva_manpages ITEMS ${ktreva_docs_out}/changelog)
  add_custom_command(OUTPUT ${file}.gz
                     COMMAND ${GZIP_PROGRAM} -9nkf ${file}
                     DEPENDS ${file} VERBATIM)
  list(APPEND ktreva_gzipped ${file}.gz)
endforeach()
add_custom_target(ktreva_docs ALL DEPENDS ${ktreva_gzipped})

list(TRANSFORM ktreva_manpages APPEND .gz)
install(FILES ${ktreva_manpages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ktreva_docs_out}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
