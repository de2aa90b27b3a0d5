# The Debian package: `make package` (cpack in the build tree) turns the
# installed tree (the programs, and share/ with the manuals, completion,
# metadata and copyright file) into velunor_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velunor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velunor maintainers <maintainers@users.noreply.c-seed-6e21a84d.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "encrypt and decrypt a text with a keyword")
set(CPACK_PACKAGE_DESCRIPTION
    "CMVelunor is a small desktop tool that takes a text from the clipboard and
a keyword of 3 to 70 characters, and shows the text encrypted as one line of
base 64, or the plain text of such a line again. The cipher texts are those of
the original Windows tool byte for byte: the RIPEMD-256 digest of the keyword
keys Blowfish in the tool's own chaining mode. A keyword cheat sheet and a
hand-off mode for the mail client Corvane Mail come with it. The window speaks
German.

The command line tool velunor encrypts, decrypts, digests and converts files
and streams with the same coding library: 28 hashes and checksums, 17 block
ciphers, eight chaining modes and five text formats.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its X11 and Wayland platform plugins at run time only, so no
# library dependency names the packages that hold them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland")

include(CPack)
