# Unpacks the archive ZIP into a fresh folder DEST (cmake -P).
file(REMOVE_RECURSE "${DEST}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${DEST}")
