# Warnings apply to the project's own targets only (not to imported libraries).
function(vanto_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
