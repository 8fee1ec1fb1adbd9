# JreSelect.exe and JreSelectCli.exe, as they ship.
add_executable(JreSelect WIN32 app/main.cpp res/jreselect.rc)
target_compile_options(JreSelect PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${JRESELECT_WARNINGS}>)
target_link_libraries(JreSelect PRIVATE jreselect_core)

# The console companion: the same core, for scripts and for "why is my runtime not listed?".
add_executable(JreSelectCli cli/cli_main.cpp cli/command_line.cpp cli/cli_shared.cpp cli/list_command.cpp
    cli/explain_command.cpp cli/set_command.cpp cli/console_output.cpp cli/json_writer.cpp
    cli/json_forms.cpp cli/report.cpp cli/text_forms.cpp cli/words.cpp cli/command_table.cpp
    cli/version_command.cpp res/cli.rc)
target_compile_options(JreSelectCli PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${JRESELECT_WARNINGS}>)
target_link_libraries(JreSelectCli PRIVATE jreselect_core)

# One name for "the two programs" in every tree (tests/ and bench/ depend on them).
add_custom_target(jreselect_programs DEPENDS JreSelect JreSelectCli)

if(MINGW)
  foreach(program JreSelect JreSelectCli)
    # libstdc++'s terminate handler and exception helpers, replaced: see the file.
    target_sources(${program} PRIVATE base/lean_runtime.cpp)
    # For the debug file (-g changes no generated code).
    target_compile_options(${program} PRIVATE -g)
    # No link time in the header, so that two builds of the same sources are the same bytes.
    target_link_options(${program} PRIVATE -Wl,--no-insert-timestamp)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      # The oldest Windows whose system DLLs export every import: XP (5.1). The release
      # check (tests/release) holds the imports against what XP lacks.
      target_link_options(${program} PRIVATE
        -Wl,--major-os-version,5,--minor-os-version,1
        -Wl,--major-subsystem-version,5,--minor-subsystem-version,1)
    endif()
    # Shipped stripped; the debug information stays beside the program, as NAME.exe.debug,
    # found by debuggers through the .gnu_debuglink section. objcopy and strip would stamp
    # the current time into the PE header; SOURCE_DATE_EPOCH=0 keeps it 0, as linked.
    set(tool ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0)
    set(exe $<TARGET_FILE_NAME:${program}>)
    add_custom_command(TARGET ${program} POST_BUILD
      COMMAND ${tool} ${CMAKE_OBJCOPY} --only-keep-debug ${exe} ${exe}.debug
      COMMAND ${tool} ${CMAKE_STRIP} --strip-all ${exe}
      COMMAND ${tool} ${CMAKE_OBJCOPY} --add-gnu-debuglink=${exe}.debug ${exe}
      WORKING_DIRECTORY $<TARGET_FILE_DIR:${program}>
      VERBATIM)
  endforeach()
endif()
