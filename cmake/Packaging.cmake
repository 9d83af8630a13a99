# The Debian package: `cpack -G DEB` in a build directory makes
# quorvex_<version>_<arch>.deb from the install rules (the program, its desktop
# entry, its AppStream metainfo and its icons). scripts/check-package builds it
# from scratch and tries it on a clean Debian 12.

# qt_standard_project_setup() gives installed programs the search path
# $ORIGIN:$ORIGIN/../lib for libraries installed beside them. The project
# installs none; everything the program loads is in the system's own places.
set_target_properties(quorvex PROPERTIES INSTALL_RPATH "")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "Quorvex developers")
set(CPACK_PACKAGE_CONTACT "Quorvex developers <dev@quorvex.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The package's long description, line by line.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Quorvex answers the questions that come up before every video encode:"
    "how large the file will be from its video and audio bitrates and its"
    "running time, which average bitrate fills a given file size, and how"
    "large the video is uncompressed, from frame size, colour depth, frame"
    "rate and running time, with its audio. At start-up it asks its update"
    "server once whether a newer version exists.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quorvex developers <dev@quorvex.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Run-time dependencies (Qt 6, MariaDB Connector/C, libjpeg, libc, libstdc++)
# come from dpkg-shlibdeps, which reads the binary's needed libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program's texts are Chinese; without a CJK font they show as boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")

include(CPack)
