# SPDX-License-Identifier: MIT
# Writes ENTRY from TEMPLATE with the SHA-256 of ZIP as @ZIP_SHA256@: the editor's plug-in list
# names a plug-in's zip by that hash and refuses a download that does not match it, so the
# entry is made from the zip as it was just packed.
file(SHA256 ${ZIP} ZIP_SHA256)
configure_file(${TEMPLATE} ${ENTRY} @ONLY)
