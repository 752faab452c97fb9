# What `cmake --install` puts where, and the Debian package that `cpack -G DEB`
# makes of it. Only the program and its documents: no tests, no benchmarks.
include(GNUInstallDirs)

# Installing and packaging build nothing: `make package` builds the program
# first, and the tests and benchmarks are never needed for it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

install(TARGETS tocsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/tocsim.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/tocsim.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The pictures the README shows, where its links expect them.
install(FILES ${PROJECT_SOURCE_DIR}/docs/window-cylindrical.png
              ${PROJECT_SOURCE_DIR}/docs/window-scara.png
              ${PROJECT_SOURCE_DIR}/docs/window-resized.png
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tocsim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "tocsim developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "teaching simulation of time-optimal robot motion against PID control")
set(CPACK_PACKAGE_DESCRIPTION
    "For a point-to-point motion of a cylindrical-coordinate robot or a SCARA\n\
robot, tocsim computes the time-optimal bang-bang motion (every joint at full\n\
torque, only the sign switches) by Newton shooting, simulates the same motion\n\
under a PID controller, and shows both: a console dialogue that changes the\n\
conditions and reports the results, and one window that animates both arms\n\
with their paths and time graphs of joint displacement and torque.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "tocsim developers <tocsim@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: from the libraries the program links (dpkg-shlibdeps, in dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
