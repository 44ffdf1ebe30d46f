# The movies around the study day: parents' area, game room, puzzle, and the
# template movies copied under every name the course documents use (story
# pages, story islands, magic cards, mini-games). Included by CMakeLists.txt,
# whose vanto_movie() and COURSE_TREE / COURSE_TEMPLATES it uses.
set(ACTIVITY_MOVIES)
foreach(movie parents:parents.swf flashgame:flashGame.swf puzzle:hlg/puzzle/puzzle.swf)
  string(REPLACE ":" ";" parts ${movie})
  list(GET parts 0 folder)
  list(GET parts 1 name)
  vanto_movie(${COURSE_TREE}/${name} ${folder} 960:600)
  list(APPEND ACTIVITY_MOVIES ${COURSE_TREE}/${name})
endforeach()

set(ACTIVITY_TEMPLATES)
foreach(template story:960:600 mainbranch:960:600 minigame:960:600 magiccard:300:400)
  string(REPLACE ":" ";" parts ${template})
  list(GET parts 0 folder)
  list(GET parts 1 width)
  list(GET parts 2 height)
  vanto_movie(${COURSE_TEMPLATES}/${folder}.swf ${folder} ${width}:${height})
  list(APPEND ACTIVITY_TEMPLATES ${COURSE_TEMPLATES}/${folder}.swf)
endforeach()

add_custom_command(OUTPUT ${COURSE_TEMPLATES}/activities.stamp
  COMMAND ${CMAKE_COMMAND} -DTREE=${COURSE_TREE} -DTEMPLATES=${COURSE_TEMPLATES}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/place-activities.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${COURSE_TEMPLATES}/activities.stamp
  DEPENDS ${ACTIVITY_TEMPLATES} ${CMAKE_CURRENT_SOURCE_DIR}/place-activities.cmake
  COMMENT "Story, island, card and mini-game movies" VERBATIM)

add_custom_target(course_activities ALL DEPENDS ${ACTIVITY_MOVIES} ${COURSE_TEMPLATES}/activities.stamp)
