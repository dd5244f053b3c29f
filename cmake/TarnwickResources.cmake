# Build-time embedding of the program's version information and raw-data resources, each in
# an ELF section of its own (see platform/os/VersionInfo.h and platform/os/Resource.h).

set(TARNWICK_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedBytes.cmake)

# tarnwick_embed_version_info(<target> <file>): the target carries <file> as its version
# information.
function(tarnwick_embed_version_info target file)
  get_filename_component(file ${file} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.c)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${out} -DSECTION=tarnwick_version -DMODE=raw -DINPUTS=${file}
            -P ${TARNWICK_EMBED_SCRIPT}
    DEPENDS ${file} ${TARNWICK_EMBED_SCRIPT}
    COMMENT "Embedding version information into ${target}")
  target_sources(${target} PRIVATE ${out})
endfunction()

# tarnwick_embed_resources(<target> <NAME> <file> [<NAME> <file> ...]): raw-data resources
# the program finds by name with os::LoadRawResource.
function(tarnwick_embed_resources target)
  set(entries)
  set(files)
  set(args ${ARGN})
  list(LENGTH args count)
  math(EXPR odd "${count} % 2")
  if(count EQUAL 0 OR odd)
    message(FATAL_ERROR "tarnwick_embed_resources(${target}) needs NAME file pairs")
  endif()
  while(args)
    list(POP_FRONT args name file)
    get_filename_component(file ${file} ABSOLUTE)
    list(APPEND entries "${name}=${file}")
    list(APPEND files ${file})
  endwhile()
  string(REPLACE ";" "|" escaped "${entries}")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.c)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${out} -DSECTION=tarnwick_resources -DMODE=resources
            "-DINPUTS=${escaped}" -P ${TARNWICK_EMBED_SCRIPT}
    DEPENDS ${files} ${TARNWICK_EMBED_SCRIPT}
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
