# The example song goes into the run folder, where the program looks for it
# (copied again whenever it changes).
configure_file(${CMAKE_SOURCE_DIR}/songs/EditingSong.txt ${RUN_DIR}/EditingSong.txt COPYONLY)
