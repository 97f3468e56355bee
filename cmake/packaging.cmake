# One Debian package, morvel2: the programs, the engine, its headers and the
# manual pages, as the install rules lay them out under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvel2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "MORVEL2 maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console report of the tables in a V2 data dictionary")
set(CPACK_PACKAGE_DESCRIPTION "morvel2 prints a fixed-layout description of the tables that a V2 data
dictionary (PVFILE.DDF, PVFIELD.DDF, PVINDEX.DDF) describes: data file,
statistics, fields and indexes. It reads through the record manager in
librecmgr.so, shipped here with its headers. mkdict builds a dictionary
and its data files from a readable description, dictdump writes one back
as a description, SQL, JSON or CSV, and dictcheck finds what the report
can't show in it.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "MORVEL2 maintainers")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends (libc6, libstdc++6, libgcc-s1) comes from dpkg-shlibdeps; with a
# shared library under /usr/lib the package also runs ldconfig on install
# and removal.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
