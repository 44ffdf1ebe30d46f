# Fails when a course movie in the content tree is missing or still the
# generator's empty stand-in rather than the built movie.
foreach(name Vanto CSHZ SKSZ GDLX ceping kong Kong bh/0 bh/1199 tp/0 tp/1199 parents flashGame
    MainBranch0 MainBranch9 gs0/0 gs0/Synopsis0 gs63/24 gs63/yugao63 gs63/game movie/mf1 movie/mf9
    hlg/mouse/mouse hlg/Zida/Zida hlg/Vize/Vize hlg/Tarqa/Tarqa hlg/puzzle/puzzle)
  set(file ${TREE}/${name}.swf)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${file} is missing")
  endif()
  file(READ ${file} signature LIMIT 3 HEX)
  file(SIZE ${file} size)
  if(NOT signature MATCHES "^(435753|465753)$" OR size LESS 2000)
    message(FATAL_ERROR "${file} is not a built course movie (${size} bytes)")
  endif()
endforeach()
