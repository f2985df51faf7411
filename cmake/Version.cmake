# Every version number and product text of Lookwell and natlas lives here; the
# headers, the Windows resource, the AppStream release and the package checks
# are generated from or compared against these values.

# The program's file version; the About box shows its first two numbers.
set(LOOKWELL_VERSION 1.7.0.7)
# The build number the update checker records: the file version's last number.
set(LOOKWELL_BUILD_NUMBER 7)
set(LOOKWELL_PRODUCT_VERSION 1.7.0.4)
set(LOOKWELL_PRODUCT_NAME "Lookwell for Winsock32")
# The date of this release, as the AppStream data and debian/changelog give it.
set(LOOKWELL_RELEASE_DATE 2026-12-08)
# The desktop entry's id, which the running window carries as well.
set(LOOKWELL_APP_ID org.example.Lookwell)

# natlas's own file version; NatlasGetVersion answers its first two numbers as
# one word (major in the high byte) and the soname carries the major number.
set(NATLAS_VERSION 1.0.0.2)
