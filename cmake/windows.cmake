# What the Windows build adds, included by the top-level CMakeLists.txt when
# cross-compiling for Windows.

# printf-style formatting from the MinGW runtime's C99 implementation, not
# the system's msvcrt one, whose reals and 64-bit integers print differently:
# the documents and the authors' listings must be the same bytes as on Linux.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)

# Header-only libraries come from Debian's packages.  Their CMake files
# would add the build machine's /usr/include, whose C library headers must
# never reach the cross compiler: each library's own folder is offered
# instead, through a folder of links.
function(compattatore_host_headers target folder)
  set(links ${CMAKE_BINARY_DIR}/host-headers/${target})
  file(MAKE_DIRECTORY ${links})
  file(CREATE_LINK /usr/include/${folder} ${links}/${folder} SYMBOLIC)
  string(REPLACE "::" "_" alias_name ${target})
  add_library(${alias_name} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${alias_name} SYSTEM INTERFACE ${links})
  add_library(${target} ALIAS ${alias_name})
endfunction()

compattatore_host_headers(CLI11::CLI11 CLI)
compattatore_host_headers(nlohmann_json::nlohmann_json nlohmann)

# Test programs run once each under Wine, in a Wine prefix of the build's
# own, with Wine's diagnostics off.  The outputs of a Linux run, which the
# Windows outputs must equal byte for byte, are in uscite-linux/
# (scripts/windows.sh makes them); Wine sees the build machine's root as Z:.
set(COMPATTATORE_WINE_ENVIRONMENT
    "WINEPREFIX=${CMAKE_BINARY_DIR}/wine" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml="
    "COMPATTATORE_USCITE_LINUX=Z:${CMAKE_BINARY_DIR}/uscite-linux")
