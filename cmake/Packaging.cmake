# The Debian package (`cmake --build build --target package`): both
# programs, the desktop entry, the MIME type, the icon and the help
# document. Dependencies are taken from the libraries the programs link
# (dpkg-shlibdeps). The MIME and desktop databases are refreshed by the
# triggers of shared-mime-info and desktop-file-utils.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "veltrane")
set(CPACK_PACKAGE_VENDOR "Veltrane")
set(CPACK_PACKAGE_CONTACT "Veltrane developers <veltrane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Book acquisitions: CNMARC records, ISBN lists and duplicate checks")
set(CPACK_PACKAGE_DESCRIPTION
    "Veltrane compares a library's CNMARC records, ISBN lists and workbooks
with a supplier's and writes what the library lacks. It also views, edits,
splits, merges and converts ISO 2709 record files. The package holds the
desktop program veltrane and the command-line program veltrane-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
