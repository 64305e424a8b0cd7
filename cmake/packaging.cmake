# Release packages: a Debian package on Linux (cpack -G DEB), a zip for
# Windows from the cross build (cpack -G ZIP). Both install what install.cmake
# names; the version is the project's.
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "ktreva-host developers")
set(CPACK_PACKAGE_CONTACT "${KTREVA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration and firmware loader for the kTrevaNodi digipeater")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "ktreva-host is the console utility with which the operator of a kTrevaNodi\n"
    "stand-alone APRS digipeater prepares, checks and loads the device's\n"
    "operating data over a serial port: it compiles a station configuration\n"
    "file and a rules file into the device's binary records, connects to the\n"
    "device, downloads the records, and replaces the device firmware from an\n"
    "Intel HEX file.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR DEB)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
