# Sums the files of the shared sample card (MODE=record, after it is made) or checks them against
# those sums (MODE=check, after the last test that reads it), so that a test that changes the card
# fails the run instead of the tests after it.
#   cmake -DMODE=record|check -DCARD=<folder> -DMANIFEST=<file> -P sample_card_guard.cmake
get_filename_component(CARD "${CARD}" ABSOLUTE)
file(GLOB names LIST_DIRECTORIES true RELATIVE "${CARD}" "${CARD}/*")
if(NOT names)
  message(FATAL_ERROR "No sample card at ${CARD}")
endif()
list(SORT names)
set(sums "")
foreach(name IN LISTS names)
  if(IS_DIRECTORY "${CARD}/${name}")
    string(APPEND sums "folder ${name}\n")
  else()
    file(SHA256 "${CARD}/${name}" sum)
    string(APPEND sums "${sum} ${name}\n")
  endif()
endforeach()

if(MODE STREQUAL "record")
  file(WRITE "${MANIFEST}" "${sums}")
elseif(MODE STREQUAL "check")
  file(READ "${MANIFEST}" recorded)
  if(NOT recorded STREQUAL sums)
    message(FATAL_ERROR "A test changed the shared sample card ${CARD}.\n"
                        "As made:\n${recorded}\nNow:\n${sums}")
  endif()
else()
  message(FATAL_ERROR "MODE must be record or check")
endif()
