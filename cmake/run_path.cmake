# morvel2_find_engine_by_run_path(TARGET): the program finds librecmgr.so
# beside itself or in ../lib, in the build tree and when installed;
# LD_LIBRARY_PATH still comes first. An installed tree whose library folder
# is not ../lib (lib/x86_64-linux-gnu under /usr, lib64) is named as well,
# relative to bin/ so that the tree can be moved. Every program of the
# family that loads the engine uses it.
function(morvel2_find_engine_by_run_path target)
  set(install_rpath "\$ORIGIN" "\$ORIGIN/../lib")
  if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
    list(APPEND install_rpath "${CMAKE_INSTALL_LIBDIR}")
  else()
    file(RELATIVE_PATH bin_to_lib "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}")
    list(APPEND install_rpath "\$ORIGIN/${bin_to_lib}")
  endif()
  list(REMOVE_DUPLICATES install_rpath)
  set_target_properties(${target} PROPERTIES
    BUILD_RPATH "\$ORIGIN;\$ORIGIN/../lib"
    INSTALL_RPATH "${install_rpath}")
  # RUNPATH rather than RPATH, so that LD_LIBRARY_PATH can name another engine.
  target_link_options(${target} PRIVATE -Wl,--enable-new-dtags)
endfunction()
