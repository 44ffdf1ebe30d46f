# Copies the per-character movie builds to every character's name in the
# course tree, and the cheer movie to the second name the host plays it by.
math(EXPR last "${COUNT} - 1")
foreach(kind bh tp)
  file(MAKE_DIRECTORY ${TREE}/${kind})
  foreach(i RANGE ${last})
    file(COPY_FILE ${TEMPLATES}/${kind}.swf ${TREE}/${kind}/${i}.swf ONLY_IF_DIFFERENT)
  endforeach()
endforeach()
file(COPY_FILE ${TREE}/kong.swf ${TREE}/Kong.swf ONLY_IF_DIFFERENT)
