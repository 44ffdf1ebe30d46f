# Copies the template movies to every name the course documents use; each
# copy works out from its own file name which story page, island, card or
# game it is.
function(place template target)
  get_filename_component(dir ${TREE}/${target} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${TEMPLATES}/${template}.swf ${TREE}/${target} ONLY_IF_DIFFERENT)
endfunction()

# 64 stories of 25 pages, each with its title page, preview and game.
foreach(s RANGE 63)
  foreach(p RANGE 24)
    place(story gs${s}/${p}.swf)
  endforeach()
  place(story gs${s}/Synopsis${s}.swf)
  place(story gs${s}/yugao${s}.swf)
  place(story gs${s}/game.swf)
endforeach()
# One island per seven stories.
foreach(i RANGE 9)
  place(mainbranch MainBranch${i}.swf)
endforeach()
foreach(n RANGE 1 9)
  place(magiccard movie/mf${n}.swf)
endforeach()
foreach(game mouse Zida Vize Tarqa)
  place(minigame hlg/${game}/${game}.swf)
endforeach()
