# What `cmake --install` puts where, and the Debian package that `cpack -G DEB`
# makes of it. Only the program and its documents: no tests, no benchmarks.
# Paths are taken from this file's place, so that the rules hold as well when
# tocsim is built as part of a larger project.
include(GNUInstallDirs)

set(TOCSIM_TOP ${CMAKE_CURRENT_LIST_DIR}/..)
set(TOCSIM_DOCS ${TOCSIM_TOP}/docs)

# Installing and packaging build nothing: `make package` builds the program
# first, and the tests and benchmarks are never needed for it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

# Debian wants manual pages and changelogs compressed with gzip -9n (no name,
# no time stamp, so the same text gives the same bytes). They are compressed
# here, when the project is configured, since installing builds nothing; a
# change to the text configures again. The result replaces the old file only
# when it differs, so that an install or cpack that reads it while the project
# is configured again (the tests do both at once) never sees half a file.
find_program(TOCSIM_GZIP gzip REQUIRED)
set(TOCSIM_GZ_DIR ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${TOCSIM_GZ_DIR})
function(tocsim_gzip source target)
  execute_process(COMMAND ${TOCSIM_GZIP} -9n -c ${source}
                  OUTPUT_FILE ${TOCSIM_GZ_DIR}/${target}.new
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip -9n ${source} failed: ${status}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different
                          ${TOCSIM_GZ_DIR}/${target}.new ${TOCSIM_GZ_DIR}/${target})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()
tocsim_gzip(${TOCSIM_DOCS}/tocsim.1 tocsim.1.gz)
# A native package (the version has no Debian revision): its changelog is
# changelog.gz, not changelog.Debian.gz.
tocsim_gzip(${TOCSIM_DOCS}/changelog changelog.gz)

# Directories the install makes are 0755 whatever the umask; files are 0644 by
# default and the program 0755.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS tocsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TOCSIM_GZ_DIR}/tocsim.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TOCSIM_DOCS}/tocsim.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The icon the desktop entry names, in each size docs/icons.sh makes.
foreach(size 16 32 48 64 128 256)
  install(FILES ${TOCSIM_DOCS}/icons/tocsim-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tocsim.png)
endforeach()
install(FILES ${TOCSIM_TOP}/README.md ${TOCSIM_DOCS}/copyright ${TOCSIM_GZ_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The pictures the README shows, where its links expect them.
install(FILES ${TOCSIM_DOCS}/window-cylindrical.png
              ${TOCSIM_DOCS}/window-scara.png
              ${TOCSIM_DOCS}/window-resized.png
              ${TOCSIM_DOCS}/lesson-cylindrical.png
              ${TOCSIM_DOCS}/lesson-scara.png
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tocsim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "tocsim developers")
# The synopsis: no leading article, no full stop. CPack puts it first and the
# extended description under it, in lines under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "teaching simulation of time-optimal robot motion against PID control")
set(CPACK_PACKAGE_DESCRIPTION
    "For a point-to-point motion of a cylindrical-coordinate robot or a SCARA\n\
robot, tocsim computes the time-optimal bang-bang motion (every joint at full\n\
torque, only the sign switches) by Newton shooting, simulates the same motion\n\
under a PID controller, and shows both: a console dialogue in Japanese or\n\
English that changes the conditions and reports the results, and one window\n\
that animates both arms with their paths and time graphs of joint\n\
displacement and torque.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "tocsim developers <tocsim@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: from the libraries the program links (dpkg-shlibdeps, in dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The font the lesson view's texts are drawn in, read at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
# control and md5sums 0644, as dpkg-deb makes them, whatever the umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
