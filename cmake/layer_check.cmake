# The layer rule, checked when the build is configured.
#
# tavir_forbid_links(<target>... FORBIDDEN <target>...)
#
# Fails the configure step when one of the targets links one of the
# forbidden ones: directly, through any library it links (PUBLIC, PRIVATE
# or INTERFACE; a static library passes on what it links PRIVATE as
# $<LINK_ONLY:...>), or through what an imported target links, or by the
# forbidden library's file name (-lQt6Gui). The message names the chain of
# links that leads there. A "::" name that is no target seen from the top
# folder (an imported target of a find_package() in a subfolder) fails too:
# the check cannot follow what it links.
#
# Run it at the end of the configure step (cmake_language(DEFER)), when
# every target has all its links.

function(tavir_forbid_links)
  cmake_parse_arguments(L "" "" "FORBIDDEN" ${ARGN})
  foreach(root IN LISTS L_UNPARSED_ARGUMENTS)
    _tavir_forbid_links_of(${root} "${L_FORBIDDEN}")
  endforeach()
endfunction()

# The real name of a target: an alias resolved.
function(_tavir_real_target name out)
  get_target_property(aliased ${name} ALIASED_TARGET)
  if(aliased)
    set(${out} ${aliased} PARENT_SCOPE)
  else()
    set(${out} ${name} PARENT_SCOPE)
  endif()
endfunction()

function(_tavir_forbid_links_of root forbidden)
  if(NOT TARGET ${root})
    message(FATAL_ERROR "Layer check: there is no target ${root}.")
  endif()
  set(real_forbidden "")
  set(forbidden_files "")
  foreach(f IN LISTS forbidden)
    if(TARGET ${f})
      _tavir_real_target(${f} f)
    endif()
    list(APPEND real_forbidden ${f})
    # The library file's own name: Qt6::Gui is libQt6Gui.so.
    string(REPLACE "::" "" file_name "${f}")
    list(APPEND forbidden_files ${file_name})
  endforeach()

  set(queue ${root})
  set(seen ${root})
  set(chain_${root} ${root})
  while(queue)
    list(POP_FRONT queue current)
    # What the target itself links, and what it passes on to whoever links
    # it; an imported target has only the latter.
    set(links "")
    get_target_property(imported ${current} IMPORTED)
    get_target_property(type ${current} TYPE)
    if(NOT imported AND NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(own ${current} LINK_LIBRARIES)
      if(own)
        list(APPEND links ${own})
      endif()
    endif()
    get_target_property(passed ${current} INTERFACE_LINK_LIBRARIES)
    if(passed)
      list(APPEND links ${passed})
    endif()

    foreach(item IN LISTS links)
      # Links made from another folder carry a folder marker: "::@(...)".
      if(item MATCHES "^::@")
        continue()
      endif()
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
      if(item MATCHES "\\$<")
        # Any other generator expression: forbidden when it names a
        # forbidden target at all.
        foreach(f IN LISTS real_forbidden)
          string(FIND "${item}" "${f}" at)
          if(NOT at EQUAL -1)
            message(FATAL_ERROR "Layer check: ${root} may not link ${f}, but it does: "
                                "${chain_${current}} -> ${item}.\n"
                                "See \"Libraries and their dependencies\" in docs/architecture.md.")
          endif()
        endforeach()
        continue()
      endif()
      if(NOT TARGET ${item})
        # A name with "::" is a target to CMake, but one this check cannot
        # see from here: an imported target found by a find_package() in a
        # subfolder exists in that folder alone. It would be linked unseen,
        # so it stops the configure step.
        if(item MATCHES "::")
          message(FATAL_ERROR "Layer check: ${root} links ${item} (${chain_${current}} -> ${item}), "
                              "a target the check cannot follow: it is not visible in the top folder. "
                              "Find its package in the top CMakeLists.txt.\n"
                              "See \"Libraries and their dependencies\" in docs/architecture.md.")
        endif()
        # A plain library name, a path or a linker flag: forbidden when it
        # names a forbidden library's file (Qt6::Gui: -lQt6Gui,
        # .../libQt6Gui.so.6).
        foreach(f IN LISTS forbidden_files)
          if(item MATCHES "(^|[/:]|-l|lib)${f}([.]|$)")
            message(FATAL_ERROR "Layer check: ${root} may not link ${f}, but it does: "
                                "${chain_${current}} -> ${item}.\n"
                                "See \"Libraries and their dependencies\" in docs/architecture.md.")
          endif()
        endforeach()
        continue()
      endif()
      _tavir_real_target(${item} item)
      if(item IN_LIST real_forbidden)
        message(FATAL_ERROR "Layer check: ${root} may not link ${item}, but it does: "
                            "${chain_${current}} -> ${item}.\n"
                            "See \"Libraries and their dependencies\" in docs/architecture.md.")
      endif()
      if(NOT item IN_LIST seen)
        list(APPEND seen ${item})
        list(APPEND queue ${item})
        set(chain_${item} "${chain_${current}} -> ${item}")
      endif()
    endforeach()
  endwhile()
endfunction()
