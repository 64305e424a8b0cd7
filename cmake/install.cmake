# What `cmake --install` puts where: the programs, their manual pages, the
# README, the examples and the map's geography. Included once every program target exists.

# A Windows operator unpacks one folder: the program, README.txt and the
# examples side by side. Elsewhere the usual GNU layout. Plain variables, so
# that a cache entry made earlier (GoogleTest's cross build includes
# GNUInstallDirs first) does not win.
include(GNUInstallDirs)
if(WIN32)
  set(CMAKE_INSTALL_BINDIR .)
  set(CMAKE_INSTALL_DOCDIR .)
endif()
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

configure_file(${CMAKE_CURRENT_LIST_DIR}/release_version.h.in
               ${PROJECT_BINARY_DIR}/generated/release_version.h @ONLY)
target_include_directories(ktreva-host PRIVATE ${PROJECT_BINARY_DIR}/generated)

set(ktreva_programs ktreva-host)
if(TARGET ktreva-emu)
  list(APPEND ktreva_programs ktreva-emu)
endif()
install(TARGETS ${ktreva_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
# The map's geography: beside the program on Windows, in the share folder of
# the prefix elsewhere; the program looks in both places from its own.
if(WIN32)
  set(ktreva_datadir ${CMAKE_INSTALL_BINDIR})
else()
  set(ktreva_datadir ${CMAKE_INSTALL_DATADIR}/ktreva-host)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/ktreva-geo.dat DESTINATION ${ktreva_datadir})

if(WIN32)
  # Notepad and friends want CR LF; the Markdown reads fine as plain text.
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${PROJECT_SOURCE_DIR}/README.md)
  file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
  string(REPLACE "\r\n" "\n" readme "${readme}")
  string(REPLACE "\n" "\r\n" readme "${readme}")
  file(WRITE ${PROJECT_BINARY_DIR}/README.txt "${readme}")
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION ${CMAKE_INSTALL_DOCDIR})
  return()
endif()

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
include(${CMAKE_CURRENT_LIST_DIR}/manpages.cmake)
